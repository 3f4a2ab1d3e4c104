// Raising the stream exceptions.
#include "runtime/Streams.h"

#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/ObjectManager.h"

namespace runtime {

void raiseIOException() {
    throwException(newObject<java_io_IOException>());
}

void raiseEOFException() {
    throwException(newObject<java_io_EOFException>());
}

} // namespace runtime
