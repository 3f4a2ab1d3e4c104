// The resource opener and the application properties.
#include "profile/Resources.h"

#include "profile/AppDescriptorFormat.h"
#include "profile/Files.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/String.h"

namespace profile {

namespace {

ArchiveOpener installedArchiveOpener = nullptr;

constexpr char kFileResourceSuffix[] = ".bar";
constexpr jint kDescriptorChunk = 512;
// Far more than any descriptor holds, and little enough that its text and properties fit the
// heaps with room to spare.
constexpr jint kMaxDescriptorBytes = 64 * 1024;
constexpr runtime::jchar kLineFeed = 10;
constexpr runtime::jchar kCarriageReturn = 13;

bool isSpace(const runtime::jchar c) {
    return c <= ' ';
}

} // namespace

void setArchiveOpener(const ArchiveOpener opener) {
    installedArchiveOpener = opener;
}

runtime::java_io_InputStream* getResourceAsStream(String* const name) {
    if (name == nullptr) {
        return nullptr;
    }
    if (name->endsWith(runtime::newStringFromCString(kFileResourceSuffix)) != 0) {
        File* file = runtime::newObject<File>(name);
        if (File::exists(file) != 0) {
            if (FileInputStream* stream = FileInputStream::open(file)) {
                return stream;
            }
        }
    }
    return installedArchiveOpener != nullptr ? installedArchiveOpener(name) : nullptr;
}

void installResourceOpener() {
    runtime::setResourceOpener(&getResourceAsStream);
}

String* loadAppDescriptor() {
    runtime::java_io_InputStream* stream =
        getResourceAsStream(runtime::newStringFromCString(kAppDescriptorResource));
    if (stream == nullptr) {
        return nullptr;
    }
    if (const jint size = stream->available(); size > kMaxDescriptorBytes) {
        runtime::log("%s is %d bytes, more than the %d a descriptor may have: no property is read from it",
                     kAppDescriptorResource, static_cast<int>(size), static_cast<int>(kMaxDescriptorBytes));
        stream->close();
        return nullptr;
    }
    auto* collected = runtime::newObject<runtime::java_io_ByteArrayOutputStream>();
    ByteArray* chunk = runtime::newByteArray(kDescriptorChunk);
    jint total = 0;
    while (stream->available() > 0) {
        const jint n = stream->read(chunk, 0, kDescriptorChunk);
        if (runtime::getPendingException() != nullptr) {
            // An unreadable descriptor is one the game does not have; an Error stays pending.
            if (runtime::catchException(runtime::kException)) {
                runtime::log("%s cannot be read", kAppDescriptorResource);
            }
            stream->close();
            return nullptr;
        }
        // A stream that reports bytes but gives none would keep this loop going for ever.
        if (n <= 0) {
            break;
        }
        // A stream may give more than it said it had.
        total += n;
        if (total > kMaxDescriptorBytes) {
            runtime::log("%s holds more than the %d bytes a descriptor may have: no property is read from it",
                         kAppDescriptorResource, static_cast<int>(kMaxDescriptorBytes));
            stream->close();
            return nullptr;
        }
        collected->write(chunk, 0, n);
    }
    stream->close();
    return collected->toString();
}

void parseAppDescriptor(String* const text, const std::function<void(String* key, String* value)>& property) {
    if (text == nullptr) {
        return;
    }
    const jint length = text->length();
    jint start = 0;
    while (start < length) {
        jint lineEnd = text->indexOf(kLineFeed, start);
        if (lineEnd < 0) {
            lineEnd = length;
        }
        // Look for the separator within this line only, so a long text without one stays linear.
        jint colon = -1;
        for (jint i = start; i < lineEnd; ++i) {
            if (text->charAt(i) == kPropertySeparator) {
                colon = i;
                break;
            }
        }
        jint end = lineEnd;
        if (end > start && text->charAt(end - 1) == kCarriageReturn) {
            --end;
        }
        if (colon >= 0 && colon < end) {
            // Trimmed by bounds first, so each of key and value is one new String.
            jint keyStart = start;
            jint keyEnd = colon;
            while (keyStart < keyEnd && isSpace(text->charAt(keyStart))) {
                ++keyStart;
            }
            while (keyEnd > keyStart && isSpace(text->charAt(keyEnd - 1))) {
                --keyEnd;
            }
            jint valueStart = colon + 1;
            jint valueEnd = end;
            while (valueStart < valueEnd && isSpace(text->charAt(valueStart))) {
                ++valueStart;
            }
            while (valueEnd > valueStart && isSpace(text->charAt(valueEnd - 1))) {
                --valueEnd;
            }
            String* key = text->substring(keyStart, keyEnd);
            String* value = text->substring(valueStart, valueEnd);
            property(key, value);
        }
        start = lineEnd + 1;
    }
}

String* appPropertyText(runtime::Object* const value) {
    if (value != nullptr) {
        return static_cast<String*>(value);
    }
    return runtime::newStringFromCString(kMissingPropertyText);
}

} // namespace profile
