// The runtime test fixture with the sample data set's constant pool installed, so code that cites
// constant strings by number gets the texts the game runs with.
#pragma once

#include <string>
#include <utility>

#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"
#include "tests/runtime/RuntimeFixture.h"
#include "tools/SampleData.h"

namespace runtime {

class SamplePoolFixture : public RuntimeFixture {
protected:
    using RuntimeFixture::RuntimeFixture;

    void SetUp() override {
        RuntimeFixture::SetUp();
        StaticClass* block = application.getStaticClass();
        block->constantPool = newObjectArray(tools::kSampleConstantCount);
        for (const tools::ConstantText& constant : tools::sampleConstants()) {
            String* text = newObject<String>();
            text->initUnits(reinterpret_cast<const jchar*>(constant.text.data()),
                            static_cast<jint>(constant.text.size()));
            text->collectable = 0;
            (*block->constantPool)[constant.index] = text;
        }
    }

    // The class id and message of the pending exception ({0, ""} when none); clears it.
    std::pair<jint, std::string> takePending() {
        java_lang_Throwable* pending = static_cast<java_lang_Throwable*>(application.pendingException);
        application.pendingException = nullptr;
        if (pending == nullptr) {
            return {0, ""};
        }
        return {pending->classId, text(pending->message)};
    }

    // Constant string n of the sample pool as 8-bit text.
    static std::string sampleText(const jint n) {
        const std::u16string& units = tools::sampleConstants()[static_cast<std::size_t>(n)].text;
        return std::string(units.begin(), units.end());
    }
};

} // namespace runtime
