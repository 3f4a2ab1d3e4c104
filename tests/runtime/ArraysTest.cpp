// The array classes: storage, release, allocators, literal fills and multi-dimensional arrays.
#include "runtime/Arrays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "runtime/ObjectManager.h"
#include "runtime/OperandStack.h"
#include "runtime/String.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

using ArraysTest = RuntimeFixture;

struct AllocatorCase {
    const char* name;
    std::function<Array*(jint)> allocate;
    jint classId;
    jint elementSize;
};

TEST_F(ArraysTest, EveryAllocatorMakesAZeroedArrayOfItsClass) {
    const AllocatorCase cases[] = {
        {"Object", [](jint n) { return newObjectArray(n); }, kObjectArray, 8},
        {"Bool", [](jint n) { return newBoolArray(n); }, kBoolArray, 1},
        {"Byte", [](jint n) { return newByteArray(n); }, kByteArray, 1},
        {"Char", [](jint n) { return newCharArray(n); }, kCharArray, 2},
        {"Short", [](jint n) { return newShortArray(n); }, kShortArray, 2},
        {"Int", [](jint n) { return newIntArray(n); }, kIntArray, 4},
        {"Long", [](jint n) { return newLongArray(n); }, kLong64Array, 8},
        {"Float", [](jint n) { return newFloatArray(n); }, kFloatArray, 4},
        {"Double", [](jint n) { return newDoubleArray(n); }, kDoubleArray, 8},
    };
    for (const AllocatorCase& c : cases) {
        SCOPED_TRACE(c.name);
        Array* array = c.allocate(5);
        EXPECT_EQ(array->classId, c.classId);
        EXPECT_EQ(array->collectable, 1);
        EXPECT_EQ(array->elementSize(), c.elementSize);
        EXPECT_EQ(array->length, 5);
        ASSERT_NE(array->elements, nullptr);
        EXPECT_TRUE(application.objectHeap->contains(array));
        EXPECT_TRUE(application.secondaryHeap->contains(array->elements));
        const auto* bytes = static_cast<const unsigned char*>(array->elements);
        for (jint i = 0; i < 5 * c.elementSize; ++i) {
            ASSERT_EQ(bytes[i], 0) << "byte " << i;
        }
        EXPECT_EQ(application.objectManager->objects[application.objectManager->count - 1], array);
    }
    EXPECT_TRUE(logLines().empty());
}

TEST_F(ArraysTest, StorageRequestsAreLengthTimesElementSize) {
    // The secondary heap rounds a request up to 8 bytes and adds its 16-byte header: a byte
    // array of length 3 asks for 3 bytes and takes 24.
    const struct {
        const char* name;
        std::function<Array*()> allocate;
        jint taken;
    } cases[] = {
        {"byte[3]", [] { return newByteArray(3); }, 24},
        {"short[3]", [] { return newShortArray(3); }, 24},
        {"int[3]", [] { return newIntArray(3); }, 32},
        {"long[3]", [] { return newLongArray(3); }, 40},
        {"Object[3]", [] { return newObjectArray(3); }, 40},
    };
    for (const auto& c : cases) {
        const jint before = application.secondaryHeap->used();
        c.allocate();
        EXPECT_EQ(application.secondaryHeap->used() - before, c.taken) << c.name;
    }
}

TEST_F(ArraysTest, AnEmptyArrayHasNoStorageAndReleasesNothing) {
    IntArray* array = newIntArray(0);
    EXPECT_EQ(array->length, 0);
    EXPECT_EQ(array->elements, nullptr);
    array->release();
    EXPECT_TRUE(logLines().empty()); // in particular no "zrl_free null"
}

TEST_F(ArraysTest, ANegativeLengthIsLoggedAndGivesAnEmptyArray) {
    ByteArray* array = newByteArray(-3);
    EXPECT_TRUE(logged("length of array should be >= 0"));
    EXPECT_EQ(array->length, 0);
    EXPECT_EQ(array->elements, nullptr);
}

TEST_F(ArraysTest, ReleaseGivesTheStorageBack) {
    IntArray* array = newIntArray(10);
    void* storage = array->elements;
    array->release();
    EXPECT_EQ(array->elements, nullptr);
    // The same request finds the freed place again.
    EXPECT_EQ(newIntArray(10)->elements, storage);
}

TEST_F(ArraysTest, StorageFromTheSystemAllocatorIsReleasedThere) {
    ByteArray* array = newByteArray(2 * kDefaultHeapSize);
    ASSERT_NE(array->elements, nullptr);
    EXPECT_FALSE(application.secondaryHeap->contains(array->elements));
    EXPECT_TRUE(logged("setFragmentRelocPointer"));
    (*array)[2 * kDefaultHeapSize - 1] = 7;
    array->release(); // the sanitizer build reports a free into the wrong allocator
    EXPECT_EQ(array->elements, nullptr);
}

TEST_F(ArraysTest, LiteralFillsTruncateToTheElementType) {
    ByteArray* bytes = newByteArrayOf(newByteArray(2), 2, 300, -1);
    EXPECT_EQ((*bytes)[0], 44);
    EXPECT_EQ((*bytes)[1], -1);

    ShortArray* shorts = newShortArrayOf(newShortArray(3), 3, 0x12345, 0xFFFF, -2);
    EXPECT_EQ((*shorts)[0], 0x2345);
    EXPECT_EQ((*shorts)[1], -1);
    EXPECT_EQ((*shorts)[2], -2);

    IntArray* ints = newIntArrayOf(newIntArray(3), 3, kIntMin, 0, 0x7FFFFFFF);
    EXPECT_EQ((*ints)[0], kIntMin);
    EXPECT_EQ((*ints)[2], 0x7FFFFFFF);
    EXPECT_TRUE(logLines().empty());
}

TEST_F(ArraysTest, LiteralFillsStopAtTheEndOfTheArray) {
    IntArray* array = newIntArray(2);
    IntArray* neighbour = newIntArrayOf(newIntArray(4), 4, 9, 9, 9, 9);
    EXPECT_EQ(newIntArrayOf(array, 5, 1, 2, 3, 4, 5), array);
    EXPECT_TRUE(logged("newIntArrayOf count=5 > length=2"));
    EXPECT_EQ((*array)[0], 1);
    EXPECT_EQ((*array)[1], 2);
    for (jint i = 0; i < 4; ++i) {
        EXPECT_EQ((*neighbour)[i], 9);
    }
}

TEST_F(ArraysTest, ACountBelowOneStoresNothing) {
    ByteArray* array = newByteArray(2);
    newByteArrayOf(array, 0, 5, 5);
    newByteArrayOf(array, -1, 5, 5);
    EXPECT_EQ((*array)[0], 0);
    EXPECT_EQ((*array)[1], 0);
}

TEST_F(ArraysTest, CharArrayTextEndsAtTheFirstZero) {
    CharArray* chars = newCharArray(5);
    const jchar units[] = {'a', 'b', 0, 'c', 'd'};
    std::memcpy(chars->data(), units, sizeof units);
    EXPECT_EQ(text(chars->toString()), "ab");
    CharArray* full = newCharArray(2);
    (*full)[0] = 'x';
    (*full)[1] = 'y';
    EXPECT_EQ(text(full->toString()), "xy");
    EXPECT_EQ(text(newCharArray(0)->toString()), "");
}

// A secondary heap so small that the test can fragment it on purpose.
class ArrayCompactionTest : public RuntimeFixture {
protected:
    static constexpr jint kSmallHeap = 8192;
    ArrayCompactionTest() : RuntimeFixture(kDefaultHeapSize, kSmallHeap) {}
};

TEST_F(ArrayCompactionTest, StorageFollowsCompaction) {
    // Fill the heap with arrays, each holding its own number, then free every second one: the
    // free space is then plenty in total but cut into holes smaller than the next request.
    std::vector<ByteArray*> arrays;
    while (true) {
        ByteArray* array = newByteArray(400);
        if (!application.secondaryHeap->contains(array->elements)) {
            array->release();
            break;
        }
        std::memset(array->data(), static_cast<int>(arrays.size()), 400);
        arrays.push_back(array);
    }
    ASSERT_GE(arrays.size(), 10u);
    std::vector<ByteArray*> kept;
    std::vector<void*> before;
    for (std::size_t i = 0; i < arrays.size(); ++i) {
        if (i % 2 == 0) {
            arrays[i]->release();
            continue;
        }
        kept.push_back(arrays[i]);
        before.push_back(arrays[i]->elements);
    }
    clearLog();
    const jint compactions = application.secondaryHeap->compactionCount();

    ByteArray* large = newByteArray(1200);
    EXPECT_TRUE(application.secondaryHeap->contains(large->elements)) << "compaction made room";
    EXPECT_GT(application.secondaryHeap->compactionCount(), compactions);
    EXPECT_FALSE(logged("setFragmentRelocPointer"));
    EXPECT_TRUE(application.secondaryHeap->checkInvariants());

    jint moved = 0;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        ByteArray* array = kept[k];
        ASSERT_TRUE(application.secondaryHeap->contains(array->elements));
        moved += array->elements != before[k] ? 1 : 0;
        const jbyte expected = static_cast<jbyte>(2 * k + 1);
        for (jint i = 0; i < 400; ++i) {
            ASSERT_EQ((*array)[i], expected) << "array " << k << " element " << i;
        }
    }
    EXPECT_GT(moved, 0);
}

TEST_F(ArraysTest, MultiArrayWithAllCountsIsFilledToTheLastLevel) {
    OperandFrame<4> frame;
    OperandStack::pushInt(&frame, 2);
    OperandStack::pushInt(&frame, 3);
    OperandStack::newMultiArray(&frame, "[[I", 2);
    ASSERT_EQ(frame.depth(), 1);
    EXPECT_EQ(frame.tag(0), kTagReference);
    auto* outer = reinterpret_cast<ObjectArray*>(frame.slot(0));
    ASSERT_EQ(outer->classId, kObjectArray);
    ASSERT_EQ(outer->length, 2);
    for (jint i = 0; i < 2; ++i) {
        auto* inner = static_cast<IntArray*>((*outer)[i]);
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(inner->classId, kIntArray);
        ASSERT_EQ(inner->length, 3);
        for (jint j = 0; j < 3; ++j) {
            EXPECT_EQ((*inner)[j], 0);
        }
    }
    EXPECT_NE((*outer)[0], (*outer)[1]);
}

TEST_F(ArraysTest, MultiArrayWithOnlyTheFirstCountLeavesNulls) {
    OperandFrame<2> frame;
    OperandStack::pushInt(&frame, 2);
    OperandStack::newMultiArray(&frame, "[[I", 1);
    auto* outer = reinterpret_cast<ObjectArray*>(frame.slot(0));
    ASSERT_EQ(outer->length, 2);
    EXPECT_EQ((*outer)[0], nullptr);
    EXPECT_EQ((*outer)[1], nullptr);
}

TEST_F(ArraysTest, MultiArrayElementTypesFollowTheDescriptor) {
    const struct {
        const char* descriptor;
        jint classId;
    } cases[] = {
        {"[[B", kByteArray},  {"[[C", kCharArray}, {"[[D", kDoubleArray},
        {"[[F", kFloatArray}, {"[[I", kIntArray},  {"[[J", kLong64Array},
        {"[[S", kShortArray}, {"[[Z", kBoolArray}, {"[[Ljava/lang/String;", kObjectArray},
    };
    for (const auto& c : cases) {
        const jint counts[] = {1, 2};
        ObjectArray* outer = newMultiArray(c.descriptor, counts, 2);
        ASSERT_EQ(outer->length, 1);
        auto* inner = static_cast<Array*>((*outer)[0]);
        EXPECT_EQ(inner->classId, c.classId) << c.descriptor;
        EXPECT_EQ(inner->length, 2) << c.descriptor;
    }
}

TEST_F(ArraysTest, ThreeLevelsOfWhichTwoAreGiven) {
    const jint counts[] = {2, 3};
    ObjectArray* outer = newMultiArray("[[[B", counts, 2);
    for (jint i = 0; i < 2; ++i) {
        auto* middle = static_cast<ObjectArray*>((*outer)[i]);
        ASSERT_EQ(middle->classId, kObjectArray);
        ASSERT_EQ(middle->length, 3);
        EXPECT_EQ((*middle)[2], nullptr);
    }
    const jint all[] = {2, 3, 4};
    auto* full = static_cast<ObjectArray*>((*newMultiArray("[[[B", all, 3))[1]);
    auto* bytes = static_cast<ByteArray*>((*full)[2]);
    EXPECT_EQ(bytes->classId, kByteArray);
    EXPECT_EQ(bytes->length, 4);
}

#if TARNWICK_CHECKED
TEST_F(ArraysTest, CheckedBuildsStopOnAnIndexOutsideTheArray) {
    IntArray* array = newIntArray(3);
    EXPECT_DEATH(
        {
            logToStderr();
            (*array)[3] = 1;
        },
        "array index 3 out of bounds, length 3");
    EXPECT_DEATH(
        {
            logToStderr();
            (*array)[-1] = 1;
        },
        "array index -1 out of bounds");
}
#endif

} // namespace
} // namespace runtime
