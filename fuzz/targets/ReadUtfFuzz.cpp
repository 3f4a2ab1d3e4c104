// Fuzz target "read_utf": the data stream's modified UTF-8 strings (readUTF), the form of every
// string the game reads from its files, mixed with the stream's other reads. The first byte
// gives the number of leading operations (up to 16), one byte each; the rest is the stream's
// data, which readUTF then reads to its end.
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "runtime/Application.h"
#include "runtime/Exceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsData.h"
#include "runtime/String.h"

namespace {

using runtime::jint;

constexpr std::size_t kMaxOperations = 16;
constexpr jint kMarkLimit = 100;

bool dropPendingException() {
    const bool pending = runtime::getPendingException() != nullptr;
    fuzzing::application().pendingException = nullptr;
    return pending;
}

// One readUTF: a String that is well formed and no longer than the bytes it took.
bool readUtf(runtime::java_io_DataInputStream* data) {
    const jint before = data->available();
    runtime::String* text = data->readUTF();
    if (dropPendingException()) {
        return false;
    }
    const jint taken = before - data->available();
    if (text == nullptr || taken < 2 || text->length() > taken - 2) {
        fuzzing::fail("readUTF gave %d characters for %d bytes", text != nullptr ? text->length() : -1,
                      taken);
    }
    fuzzing::checkString(text, "readUTF");
    return true;
}

void operate(runtime::java_io_DataInputStream* data, const std::uint8_t operation) {
    const jint argument = operation >> 4;
    switch (operation & 0x0F) {
    case 0:
        readUtf(data);
        return;
    case 1:
        data->readByte();
        break;
    case 2:
        data->readUnsignedByte();
        break;
    case 3:
        data->readShort();
        break;
    case 4:
        data->readUnsignedShort();
        break;
    case 5:
        data->readInt();
        break;
    case 6:
        data->skipBytes(argument);
        break;
    case 7:
        data->readFully(runtime::newByteArray(argument), 0, argument);
        break;
    case 8:
        data->mark(kMarkLimit);
        break;
    case 9:
        data->reset();
        break;
    case 10:
        data->read();
        break;
    default:
        data->skip(argument - 8);
        break;
    }
    dropPendingException();
}

void fuzzReadUtf(const std::uint8_t* data, const std::size_t size) {
    const std::size_t operations = size > 0 ? data[0] % (kMaxOperations + 1) : 0;
    const std::size_t start = size > operations ? operations + 1 : size;
    auto* stream = runtime::newObject<runtime::java_io_DataInputStream>(
        fuzzing::entryStreamOf(data + start, size - start));
    for (std::size_t i = 1; i < start; ++i) {
        operate(stream, data[i]);
    }
    while (readUtf(stream)) {
    }
    stream->close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzReadUtf);
}
