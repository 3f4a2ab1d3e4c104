// Operand-stack frames: slot layout, tags, arithmetic, duplicates, array and field access,
// compares and constant strings.
#include "runtime/OperandStack.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

using Op = void (*)(OperandStack*);
using OperandStackTest = RuntimeFixture;

constexpr jlong kLongMax = std::numeric_limits<jlong>::max();

Object* fakeObject(const std::uintptr_t address) {
    return reinterpret_cast<Object*>(address);
}

TEST(OperandFrameLayout, SlotsArePointerSizedAlignedAndFollowedByTags) {
    OperandFrame<3> frame;
    EXPECT_EQ(sizeof(StackSlot), sizeof(void*));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(frame.valueBase) % alignof(void*), 0u);
    EXPECT_EQ(frame.valueBase, frame.values);
    EXPECT_EQ(frame.valueTop, frame.values);
    EXPECT_EQ(frame.tagTop, frame.tags);
    EXPECT_EQ(reinterpret_cast<std::uint8_t*>(frame.tags),
              reinterpret_cast<std::uint8_t*>(static_cast<OperandStack*>(&frame)) + 3 * sizeof(void*));

    OperandStack::pushInt(&frame, -5);
    EXPECT_EQ(frame.slot(0), -5); // sign-extended over the whole word
    Object* object = fakeObject(0x7FFF12345678);
    OperandStack::pushRef(&frame, object);
    EXPECT_EQ(frame.slot(1), reinterpret_cast<StackSlot>(object)); // the whole address in one slot
    OperandStack::pushRef(&frame, nullptr);
    EXPECT_EQ(frame.tag(0), kTagValue);
    EXPECT_EQ(frame.tag(1), kTagReference);
    EXPECT_EQ(frame.tag(2), kTagValue); // null is no reference
}

struct IntOpCase {
    const char* name;
    Op op;
    jint a, b, result;
};

TEST(OperandStackOps, IntArithmetic) {
    const IntOpCase cases[] = {
        {"iadd", OperandStack::iadd, 0x7FFFFFFF, 1, kIntMin},
        {"isub", OperandStack::isub, kIntMin, 1, 0x7FFFFFFF},
        {"imul", OperandStack::imul, 0x10000, 0x10001, 0x10000},
        {"idiv", OperandStack::idiv, -7, 2, -3},
        {"irem", OperandStack::irem, -7, 2, -1},
        {"idiv", OperandStack::idiv, 7, -2, -3},
        {"irem", OperandStack::irem, 7, -2, 1},
        {"idiv", OperandStack::idiv, kIntMin, -1, kIntMin},
        {"irem", OperandStack::irem, kIntMin, -1, 0},
        {"idiv", OperandStack::idiv, 9, 0, 0},
        {"irem", OperandStack::irem, 9, 0, 9},
    };
    const LogSink previous = setLogSink([](const std::string&) {}); // division by zero is logged
    for (const IntOpCase& c : cases) {
        OperandFrame<3> frame;
        OperandStack::pushInt(&frame, 77);
        OperandStack::pushInt(&frame, c.a);
        OperandStack::pushInt(&frame, c.b);
        c.op(&frame);
        ASSERT_EQ(frame.depth(), 2) << c.name;
        EXPECT_EQ(frame.slot(1), c.result) << c.name << " " << c.a << ", " << c.b;
        EXPECT_EQ(frame.tagTop, frame.tags + 2) << c.name;
        EXPECT_EQ(frame.slot(0), 77) << c.name;
    }
    setLogSink(previous);
}

TEST(OperandStackOps, DivisionByZeroIsLogged) {
    std::vector<std::string> lines;
    LogSink previous = setLogSink([&lines](const std::string& line) { lines.push_back(line); });
    OperandFrame<2> frame;
    OperandStack::pushInt(&frame, 5);
    OperandStack::pushInt(&frame, 0);
    OperandStack::idiv(&frame);
    OperandStack::pushInt(&frame, 0);
    OperandStack::irem(&frame);
    setLogSink(previous);
    EXPECT_EQ(lines, (std::vector<std::string>{"idiv division by zero", "irem division by zero"}));
}

struct CompareCase {
    jint a, b;
    jint ge, gt, le, lt, eq, ne;
};

TEST(OperandStackOps, IntComparesPopBothOperands) {
    const CompareCase cases[] = {
        {1, 2, 0, 0, 1, 1, 0, 1},
        {2, 2, 1, 0, 1, 0, 1, 0},
        {kIntMin, 0x7FFFFFFF, 0, 0, 1, 1, 0, 1},
        {-1, -2, 1, 1, 0, 0, 0, 1},
    };
    using Compare = jint (*)(OperandStack*);
    for (const CompareCase& c : cases) {
        const std::pair<Compare, jint> checks[] = {
            {OperandStack::ifIcmpge, c.ge}, {OperandStack::ifIcmpgt, c.gt}, {OperandStack::ifIcmple, c.le},
            {OperandStack::ifIcmplt, c.lt}, {OperandStack::ifIcmpeq, c.eq}, {OperandStack::ifIcmpne, c.ne},
        };
        for (const auto& [compare, expected] : checks) {
            OperandFrame<2> frame;
            OperandStack::pushInt(&frame, c.a);
            OperandStack::pushInt(&frame, c.b);
            EXPECT_EQ(compare(&frame), expected) << c.a << " ? " << c.b;
            EXPECT_EQ(frame.depth(), 0);
            EXPECT_EQ(frame.tagTop, frame.tags);
        }
    }
}

TEST(OperandStackOps, LcmpComparesTheValuesThemselves) {
    const struct {
        jlong a, b;
        jint result;
    } cases[] = {
        {5, 7, -1},
        {7, 7, 0},
        {7, 5, 1},
        {kLongMax, kLongMin, 1},  // a - b overflows to -1
        {kLongMin, kLongMax, -1}, // a - b overflows to 1
        {kLongMin, 1, -1},
        {0x100000000LL, 0xFFFFFFFFLL, 1}, // the high word decides
        {-1, 0xFFFFFFFFLL, -1},           // equal low words, signed high words
        {-1, -1, 0},
    };
    for (const auto& c : cases) {
        OperandFrame<4> frame;
        OperandStack::pushLong(&frame, c.a);
        OperandStack::pushLong(&frame, c.b);
        ASSERT_EQ(frame.depth(), 4);
        OperandStack::lcmp(&frame);
        ASSERT_EQ(frame.depth(), 1);
        EXPECT_EQ(frame.slot(0), c.result) << c.a << " cmp " << c.b;
        EXPECT_EQ(frame.tag(0), kTagValue);
    }
}

TEST(OperandStackOps, ALongTakesTwoSlotsLowWordFirst) {
    OperandFrame<2> frame;
    OperandStack::pushLong(&frame, 0x11223344AABBCCDDLL);
    EXPECT_EQ(static_cast<std::uint32_t>(frame.slot(0)), 0xAABBCCDDu);
    EXPECT_EQ(static_cast<std::uint32_t>(frame.slot(1)), 0x11223344u);
    EXPECT_EQ(OperandStack::popLong(&frame), 0x11223344AABBCCDDLL);
}

TEST(OperandStackOps, DuplicatesCarryTheirTags) {
    Object* r = fakeObject(0x1000);
    {
        OperandFrame<4> frame; // a, b -> a, b, a, b
        OperandStack::pushRef(&frame, r);
        OperandStack::pushInt(&frame, 2);
        OperandStack::dup2(&frame);
        ASSERT_EQ(frame.depth(), 4);
        const StackSlot values[] = {0x1000, 2, 0x1000, 2};
        const std::uint8_t tags[] = {1, 0, 1, 0};
        for (jint i = 0; i < 4; ++i) {
            EXPECT_EQ(frame.slot(i), values[i]) << "dup2 slot " << i;
            EXPECT_EQ(frame.tag(i), tags[i]) << "dup2 tag " << i;
        }
    }
    {
        OperandFrame<5> frame; // c, a, b -> a, b, c, a, b
        OperandStack::pushInt(&frame, 3);
        OperandStack::pushRef(&frame, r);
        OperandStack::pushInt(&frame, 2);
        OperandStack::dup2X1(&frame);
        ASSERT_EQ(frame.depth(), 5);
        const StackSlot values[] = {0x1000, 2, 3, 0x1000, 2};
        const std::uint8_t tags[] = {1, 0, 0, 1, 0};
        for (jint i = 0; i < 5; ++i) {
            EXPECT_EQ(frame.slot(i), values[i]) << "dup2X1 slot " << i;
            EXPECT_EQ(frame.tag(i), tags[i]) << "dup2X1 tag " << i;
        }
    }
    {
        OperandFrame<4> frame; // c, a, b -> b, c, a, b
        OperandStack::pushInt(&frame, 3);
        OperandStack::pushInt(&frame, 1);
        OperandStack::pushRef(&frame, r);
        OperandStack::dupX2(&frame);
        ASSERT_EQ(frame.depth(), 4);
        const StackSlot values[] = {0x1000, 3, 1, 0x1000};
        const std::uint8_t tags[] = {1, 0, 0, 1};
        for (jint i = 0; i < 4; ++i) {
            EXPECT_EQ(frame.slot(i), values[i]) << "dupX2 slot " << i;
            EXPECT_EQ(frame.tag(i), tags[i]) << "dupX2 tag " << i;
        }
    }
    {
        OperandFrame<4> frame;
        OperandStack::pushRefDup(&frame, r);
        OperandStack::pushRefDup(&frame, nullptr);
        const std::uint8_t tags[] = {1, 1, 0, 0};
        for (jint i = 0; i < 4; ++i) {
            EXPECT_EQ(frame.tag(i), tags[i]) << "pushRefDup tag " << i;
        }
        EXPECT_EQ(frame.slot(1), 0x1000);
    }
    {
        OperandFrame<2> frame;
        OperandStack::pushIntDup(&frame, -9);
        EXPECT_EQ(frame.slot(0), -9);
        EXPECT_EQ(frame.slot(1), -9);
        EXPECT_EQ(frame.tag(1), kTagValue);
    }
}

TEST(OperandStackOps, PopNPushReplacesTheArgumentsWithTheResult) {
    OperandFrame<4> frame;
    OperandStack::pushInt(&frame, 10);
    OperandStack::pushRef(&frame, fakeObject(0x2000));
    OperandStack::pushInt(&frame, 30);
    OperandStack::popNPushInt(&frame, 99, 2);
    ASSERT_EQ(frame.depth(), 2);
    EXPECT_EQ(frame.slot(1), 99);
    EXPECT_EQ(frame.tag(1), kTagValue); // the reference's tag is gone with it

    OperandStack::popNPushRef(&frame, fakeObject(0x3000), 2);
    ASSERT_EQ(frame.depth(), 1);
    EXPECT_EQ(frame.slot(0), 0x3000);
    EXPECT_EQ(frame.tag(0), kTagReference);
    OperandStack::popNPushRef(&frame, nullptr, 1);
    EXPECT_EQ(frame.tag(0), kTagValue);

    OperandStack::popN(&frame, 1);
    EXPECT_EQ(frame.depth(), 0);
    EXPECT_EQ(frame.tagTop, frame.tags);
}

TEST(OperandStackOps, FieldStores) {
    struct {
        jint number = 0;
        jboolean flag = 0;
    } fields;
    jboolean staticFlag = 0;
    OperandFrame<2> frame;
    OperandStack::pushRef(&frame, fakeObject(0x4000));
    OperandStack::pushInt(&frame, -12);
    OperandStack::putfieldInt(&frame, &fields.number);
    EXPECT_EQ(fields.number, -12);
    EXPECT_EQ(frame.depth(), 0);

    const struct {
        jint value;
        jboolean stored;
    } booleans[] = {{2, 1}, {0, 0}, {-1, 1}, {256, 1}, {1, 1}};
    for (const auto& b : booleans) {
        OperandStack::pushRef(&frame, fakeObject(0x4000));
        OperandStack::pushInt(&frame, b.value);
        OperandStack::putfieldBoolean(&frame, &fields.flag);
        EXPECT_EQ(fields.flag, b.stored) << b.value;
        EXPECT_EQ(frame.depth(), 0);
        OperandStack::pushInt(&frame, b.value);
        OperandStack::putstaticBoolean(&frame, &staticFlag);
        EXPECT_EQ(staticFlag, b.stored) << b.value;
        EXPECT_EQ(frame.depth(), 0);
    }
}

TEST_F(OperandStackTest, ArrayLoadsExtendAsTheirTypeSays) {
    ByteArray* bytes = newByteArrayOf(newByteArray(1), 1, 0xFF);
    CharArray* chars = newCharArray(1);
    (*chars)[0] = 0xFFFF;
    ShortArray* shorts = newShortArrayOf(newShortArray(1), 1, 0xFFFF);
    BoolArray* booleans = newBoolArray(1);
    (*booleans)[0] = 1;
    IntArray* ints = newIntArrayOf(newIntArray(2), 2, 5, kIntMin);
    const struct {
        const char* name;
        Op op;
        Object* array;
        jint index;
        jint value;
    } cases[] = {
        {"baload", OperandStack::baload, bytes, 0, -1},
        {"caload", OperandStack::caload, chars, 0, 65535},
        {"saload", OperandStack::saload, shorts, 0, -1},
        {"baload bool", OperandStack::baload, booleans, 0, 1},
        {"iaload", OperandStack::iaload, ints, 1, kIntMin},
    };
    for (const auto& c : cases) {
        OperandFrame<2> frame;
        OperandStack::pushRef(&frame, c.array);
        OperandStack::pushInt(&frame, c.index);
        c.op(&frame);
        ASSERT_EQ(frame.depth(), 1) << c.name;
        EXPECT_EQ(frame.slot(0), c.value) << c.name;
        EXPECT_EQ(frame.tag(0), kTagValue) << c.name;
    }
}

TEST_F(OperandStackTest, ArrayStoresAndReferenceLoads) {
    IntArray* ints = newIntArray(3);
    ByteArray* bytes = newByteArray(3);
    OperandFrame<3> frame;
    OperandStack::pushRef(&frame, ints);
    OperandStack::pushInt(&frame, 2);
    OperandStack::pushInt(&frame, -40);
    OperandStack::iastore(&frame);
    EXPECT_EQ((*ints)[2], -40);
    OperandStack::pushRef(&frame, bytes);
    OperandStack::pushInt(&frame, 1);
    OperandStack::pushInt(&frame, 0x1FF);
    OperandStack::bastore(&frame);
    EXPECT_EQ((*bytes)[1], -1);
    EXPECT_EQ(frame.depth(), 0);

    ObjectArray* objects = newObjectArray(2);
    (*objects)[0] = ints;
    for (jint i = 0; i < 2; ++i) {
        OperandStack::pushRef(&frame, objects);
        OperandStack::pushInt(&frame, i);
        OperandStack::aaload(&frame);
    }
    EXPECT_EQ(frame.slot(0), reinterpret_cast<StackSlot>(ints));
    EXPECT_EQ(frame.tag(0), kTagReference);
    EXPECT_EQ(frame.slot(1), 0);
    EXPECT_EQ(frame.tag(1), kTagValue);

    OperandStack::popN(&frame, 2);
    OperandStack::pushRef(&frame, objects);
    OperandStack::arrayLength(&frame);
    EXPECT_EQ(frame.slot(0), 2);
    EXPECT_EQ(frame.tag(0), kTagValue);
}

TEST_F(OperandStackTest, ConstantStringsComeFromThePool) {
    ObjectArray* pool = newObjectArray(3);
    String* literal = newStringFromCString("Tarnwick");
    (*pool)[2] = literal;
    application.staticClass->constantPool = pool;
    OperandFrame<1> frame;
    OperandStack::pushConstString(&frame, 2);
    EXPECT_EQ(frame.slot(0), reinterpret_cast<StackSlot>(literal));
    EXPECT_EQ(frame.tag(0), kTagReference);
}

TEST_F(OperandStackTest, ABadConstantIndexPushesWhatGetConstantStringGives) {
    ObjectArray* pool = newObjectArray(2);
    (*pool)[0] = newStringFromCString("only");
    struct Case {
        jint index;
        bool withPool;
    };
    for (const Case& c : {Case{2, true}, Case{-1, true}, Case{1, true}, Case{400, true}, Case{0, false}}) {
        SCOPED_TRACE(c.index);
        application.staticClass->constantPool = c.withPool ? pool : nullptr;
        clearLog();
        OperandFrame<1> frame;
        OperandStack::pushConstString(&frame, c.index);
        const std::vector<std::string> pushLog = logLines();
        clearLog();
        String* fetched = getConstantString(c.index);
        EXPECT_EQ(frame.slot(0), reinterpret_cast<StackSlot>(fetched));
        EXPECT_EQ(frame.tag(0), kTagReference);
        EXPECT_EQ(fetched->length(), 0);
        EXPECT_EQ(pushLog, logLines());
        EXPECT_TRUE(logged("getConstantString: no constant string " + std::to_string(c.index)));
    }
}

#if TARNWICK_CHECKED
TEST_F(OperandStackTest, CheckedBuildsStopOnABadArrayAccess) {
    IntArray* ints = newIntArray(2);
    EXPECT_DEATH(
        {
            logToStderr();
            OperandFrame<2> frame;
            OperandStack::pushRef(&frame, ints);
            OperandStack::pushInt(&frame, 2);
            OperandStack::iaload(&frame);
        },
        "array index 2 out of bounds, length 2");
    EXPECT_DEATH(
        {
            logToStderr();
            OperandFrame<3> frame;
            OperandStack::pushRef(&frame, nullptr);
            OperandStack::pushInt(&frame, 0);
            OperandStack::pushInt(&frame, 1);
            OperandStack::bastore(&frame);
        },
        "array index 0 on a null array");
}
#endif

} // namespace
} // namespace runtime
