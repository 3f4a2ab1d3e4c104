// The exception classes of the class library. They all share java_lang_Throwable's layout and
// slots, so each is the one template with its own class id; the class table supplies the
// superclass chain that handlers match against.
#pragma once

#include "runtime/Throwable.h"

namespace runtime {

template <jint Id> struct LibraryException : java_lang_Throwable {
    static constexpr jint kClassId = Id;

    // With no message the text is constant string 1 (the empty text).
    explicit LibraryException(String* text = nullptr, const jint id = kClassId)
        : java_lang_Throwable(id, text) {}
};

using java_io_EOFException = LibraryException<kEOFException>;
using java_io_IOException = LibraryException<kIOException>;
using java_io_UTFDataFormatException = LibraryException<kUTFDataFormatException>;
using java_lang_ArithmeticException = LibraryException<kArithmeticException>;
using java_lang_ArrayIndexOutOfBoundsException = LibraryException<kArrayIndexOutOfBoundsException>;
using java_lang_ArrayStoreException = LibraryException<kArrayStoreException>;
using java_lang_ClassNotFoundException = LibraryException<kClassNotFoundException>;
using java_lang_Error = LibraryException<kError>;
using java_lang_Exception = LibraryException<kException>;
using java_lang_IllegalArgumentException = LibraryException<kIllegalArgumentException>;
using java_lang_IllegalStateException = LibraryException<kIllegalStateException>;
using java_lang_IndexOutOfBoundsException = LibraryException<kIndexOutOfBoundsException>;
using java_lang_InterruptedException = LibraryException<kInterruptedException>;
using java_lang_NullPointerException = LibraryException<kNullPointerException>;
using java_lang_RuntimeException = LibraryException<kRuntimeException>;
using java_util_EmptyStackException = LibraryException<kEmptyStackException>;
using java_util_NoSuchElementException = LibraryException<kNoSuchElementException>;
using javax_microedition_io_ConnectionNotFoundException = LibraryException<kConnectionNotFoundException>;
using javax_microedition_media_MediaException = LibraryException<kMediaException>;
using javax_microedition_rms_InvalidRecordIDException = LibraryException<kInvalidRecordIDException>;
using javax_microedition_rms_RecordStoreException = LibraryException<kRecordStoreException>;
using javax_microedition_rms_RecordStoreFullException = LibraryException<kRecordStoreFullException>;
using javax_microedition_rms_RecordStoreNotFoundException = LibraryException<kRecordStoreNotFoundException>;
using javax_microedition_rms_RecordStoreNotOpenException = LibraryException<kRecordStoreNotOpenException>;

// An ArrayIndexOutOfBoundsException whose message is constant string 320 followed by the
// index in decimal.
java_lang_ArrayIndexOutOfBoundsException* newArrayIndexOutOfBoundsException(jint index);

} // namespace runtime
