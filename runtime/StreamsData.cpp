// The data streams.
#include "runtime/StreamsData.h"

#include <vector>

#include "runtime/ClassTable.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/ModifiedUtf8.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace runtime {

java_io_DataInputStream::java_io_DataInputStream(java_io_InputStream* const stream)
    : java_io_InputStream(kClassId), in(stream) {
    registerRefFields(this, &in);
}

jint java_io_DataInputStream::read(ByteArray* const b, const jint off, const jint len) {
    return in != nullptr ? in->read(b, off, len) : -1;
}

jint java_io_DataInputStream::read() {
    return in != nullptr ? in->read() : -1;
}

jlong java_io_DataInputStream::skip(const jlong n) {
    return in != nullptr ? in->skip(n) : 0;
}

jint java_io_DataInputStream::available() {
    return in != nullptr ? in->available() : 0;
}

void java_io_DataInputStream::close() {
    if (in != nullptr) {
        in->close();
    }
}

void java_io_DataInputStream::mark(const jint readlimit) {
    if (in != nullptr) {
        in->mark(readlimit);
    }
}

void java_io_DataInputStream::reset() {
    if (in != nullptr) {
        in->reset();
    }
}

jint java_io_DataInputStream::markSupported() {
    return in != nullptr ? in->markSupported() : 0;
}

void java_io_DataInputStream::readFully(ByteArray* const b, const jint off, const jint len) {
    jint n = 0;
    while (n < len) {
        const jint count = read(b, off + n, len - n);
        if (getPendingException() != nullptr) {
            return;
        }
        // A stream that gives nothing more would keep this loop going for ever.
        if (count <= 0) {
            raiseEOFException();
            return;
        }
        n += count;
    }
}

jint java_io_DataInputStream::skipBytes(const jint n) {
    jint total = 0;
    while (total < n) {
        const jlong current = skip(n - total);
        if (getPendingException() != nullptr) {
            return 0;
        }
        if (current <= 0) {
            break;
        }
        total += static_cast<jint>(current);
    }
    return total;
}

jint java_io_DataInputStream::readUnsignedByte() {
    const jint ch = read();
    if (getPendingException() != nullptr) {
        return 0;
    }
    if (ch < 0) {
        raiseEOFException();
        return 0;
    }
    return ch;
}

jint java_io_DataInputStream::readByte() {
    return static_cast<jbyte>(readUnsignedByte());
}

jint java_io_DataInputStream::readUnsignedShort() {
    const jint ch1 = read();
    if (getPendingException() != nullptr) {
        return 0;
    }
    const jint ch2 = read();
    if (getPendingException() != nullptr) {
        return 0;
    }
    if ((ch1 | ch2) < 0) {
        raiseEOFException();
        return 0;
    }
    return (ch1 << 8) + ch2;
}

jint java_io_DataInputStream::readShort() {
    return static_cast<jshort>(readUnsignedShort());
}

jint java_io_DataInputStream::readInt() {
    jint bytes[4];
    for (jint& ch : bytes) {
        ch = read();
        if (getPendingException() != nullptr) {
            return 0;
        }
    }
    if ((bytes[0] | bytes[1] | bytes[2] | bytes[3]) < 0) {
        raiseEOFException();
        return 0;
    }
    return ishl(bytes[0], 24) + (bytes[1] << 16) + (bytes[2] << 8) + bytes[3];
}

String* java_io_DataInputStream::readUTF() {
    const jint utflen = readUnsignedShort();
    if (getPendingException() != nullptr) {
        return nullptr;
    }
    ByteArray* bytes = newByteArray(utflen);
    readFully(bytes, 0, utflen);
    if (getPendingException() != nullptr) {
        return nullptr;
    }
    // Decoded outside the heaps: nothing allocates between reading the bytes and decoding them.
    std::vector<jchar> characters(static_cast<std::size_t>(utflen) + 1);
    const jint decoded =
        decodeModifiedUtf8(reinterpret_cast<const std::uint8_t*>(bytes->data()), utflen, characters.data());
    if (decoded < 0) {
        throwException(newObject<java_io_UTFDataFormatException>());
        return nullptr;
    }
    String* text = newObject<String>();
    text->initUnits(characters.data(), decoded);
    return text;
}

java_io_DataOutputStream::java_io_DataOutputStream(java_io_OutputStream* const stream)
    : java_io_OutputStream(kClassId), out(stream) {
    registerRefFields(this, &out);
}

void java_io_DataOutputStream::close() {
    if (out != nullptr) {
        out->close();
    }
}

void java_io_DataOutputStream::flush() {
    if (out != nullptr) {
        out->flush();
    }
}

void java_io_DataOutputStream::write(const jint b) {
    if (out != nullptr) {
        out->write(b);
    }
}

void java_io_DataOutputStream::write(ByteArray* const b, const jint off, const jint len) {
    if (out != nullptr) {
        out->write(b, off, len);
    }
}

void java_io_DataOutputStream::write(ByteArray* const b) {
    if (out != nullptr) {
        out->write(b, 0, b != nullptr ? b->length : 0);
    }
}

void java_io_DataOutputStream::writeInt(const jint v) {
    const jint bytes[] = {ishr(v, 24) & 0xFF, ishr(v, 16) & 0xFF, ishr(v, 8) & 0xFF, v & 0xFF};
    for (const jint b : bytes) {
        write(b);
        if (getPendingException() != nullptr) {
            return;
        }
    }
}

} // namespace runtime
