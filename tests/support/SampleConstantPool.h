// The sample data set's constant pool served as "/constants.bin" through the runtime's resource
// opener, for runtimes that are brought up without the archive.
#pragma once

#include <string_view>

#include "runtime/ConstantPool.h"
#include "runtime/ConstantPoolFormat.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/String.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SampleData.h"

namespace testing_support {

// The pool file the sample data set's archive holds.
inline const tools::Bytes& samplePoolBytes() {
    static const tools::Bytes bytes = [] {
        std::vector<std::u16string> texts;
        for (const tools::ConstantText& text : tools::sampleConstants()) {
            texts.push_back(text.text);
        }
        return tools::constantPoolBytes(texts);
    }();
    return bytes;
}

// A resource opener that knows "/constants.bin" only.
inline runtime::java_io_InputStream* openSamplePool(runtime::String* name) {
    if (textOf(name) != std::string_view(runtime::kConstantPoolResource)) {
        return nullptr;
    }
    runtime::ByteArray* bytes = byteArrayOf(samplePoolBytes());
    return runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, bytes->length);
}

} // namespace testing_support
