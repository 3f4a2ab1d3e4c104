// The growable vector: growth, index errors, removal and search.
#include "runtime/Vector.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "tests/runtime/SamplePoolFixture.h"

namespace runtime {
namespace {

class VectorTest : public SamplePoolFixture {
protected:
    static java_lang_Integer* integer(const jint value) { return newObject<java_lang_Integer>(value); }
    static jint valueAt(java_util_Vector* vector, const jint i) {
        return static_cast<java_lang_Integer*>(vector->elementAt(i))->value;
    }
    // A vector holding the given values.
    static java_util_Vector* vectorOf(const std::vector<jint>& values) {
        auto* vector = newObject<java_util_Vector>(10, 0);
        for (const jint value : values) {
            vector->addElement(integer(value));
        }
        return vector;
    }
    static std::vector<jint> valuesOf(java_util_Vector* vector) {
        std::vector<jint> values;
        for (jint i = 0; i < vector->size(); ++i) {
            values.push_back(valueAt(vector, i));
        }
        return values;
    }
};

TEST_F(VectorTest, GrowsByItsIncrementOrByDoubling) {
    struct Case {
        jint initial, increment;
        std::vector<jint> capacities; // after each addElement
    };
    const Case cases[] = {
        {10, 0, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 20}},
        {0, 0, {1, 2, 4, 4, 8}},
        {0, -4, {1, 2, 4}},
        {3, 5, {3, 3, 3, 8, 8, 8, 8, 8, 13}},
        {0, 2, {2, 2, 4}},
    };
    for (const Case& c : cases) {
        auto* vector = newObject<java_util_Vector>(c.initial, c.increment);
        EXPECT_EQ(vector->capacity(), c.initial);
        for (std::size_t i = 0; i < c.capacities.size(); ++i) {
            vector->addElement(integer(static_cast<jint>(i)));
            EXPECT_EQ(vector->capacity(), c.capacities[i]) << c.initial << "/" << c.increment << " add " << i;
        }
        EXPECT_EQ(vector->size(), static_cast<jint>(c.capacities.size()));
        EXPECT_EQ(valueAt(vector, vector->size() - 1), vector->size() - 1);
    }
    auto* twenty = vectorOf(std::vector<jint>(21, 0));
    EXPECT_EQ(twenty->capacity(), 40);
}

TEST_F(VectorTest, ANegativeCapacityRaisesAndLeavesNoArray) {
    auto* vector = newObject<java_util_Vector>(-1, 0);
    EXPECT_EQ(takePending(), std::make_pair(jint{kIllegalArgumentException}, sampleText(280)));
    EXPECT_EQ(vector->elementData, nullptr);
    EXPECT_EQ(vector->size(), 0);
    EXPECT_EQ(vector->contains(nullptr), 0);
    vector->removeAllElements();
    // It still works as an empty vector.
    vector->addElement(integer(5));
    EXPECT_EQ(valuesOf(vector), std::vector<jint>{5});
}

TEST_F(VectorTest, IndexesOutsideTheElementsRaiseWithTheIndex) {
    auto* vector = vectorOf({1, 2, 3});
    for (const jint index : {3, -1, 10, kIntMin}) {
        EXPECT_EQ(vector->elementAt(index), nullptr);
        const auto expected =
            std::make_pair(jint{kArrayIndexOutOfBoundsException}, sampleText(320) + std::to_string(index));
        EXPECT_EQ(takePending(), expected) << index;
        vector->setElementAt(integer(9), index);
        EXPECT_EQ(takePending(), expected) << index;
        vector->removeElementAt(index);
        EXPECT_EQ(takePending(), expected) << index;
    }
    EXPECT_EQ(valuesOf(vector), (std::vector<jint>{1, 2, 3}));
    EXPECT_EQ(vector->elementData->data()[3], nullptr); // beyond the count, within the capacity
}

TEST_F(VectorTest, RemovalClosesTheGapAndNullsTheFreedSlot) {
    struct Case {
        jint index;
        std::vector<jint> left;
    };
    for (const Case& c : {Case{4, {0, 1, 2, 3}}, Case{0, {1, 2, 3, 4}}, Case{2, {0, 1, 3, 4}}}) {
        auto* vector = vectorOf({0, 1, 2, 3, 4});
        vector->removeElementAt(c.index);
        EXPECT_EQ(valuesOf(vector), c.left) << c.index;
        EXPECT_EQ(vector->elementData->data()[4], nullptr) << c.index;
        EXPECT_EQ(vector->capacity(), 10);
    }
    auto* single = vectorOf({7});
    single->removeElementAt(0);
    EXPECT_EQ(single->isEmpty(), 1);
    EXPECT_EQ(single->elementData->data()[0], nullptr);
}

TEST_F(VectorTest, SetElementAtReplacesOneElement) {
    auto* vector = vectorOf({1, 2, 3});
    vector->setElementAt(integer(20), 1);
    vector->setElementAt(nullptr, 2);
    EXPECT_EQ(valueAt(vector, 1), 20);
    EXPECT_EQ(vector->elementAt(2), nullptr);
    EXPECT_EQ(takePending().first, 0);
}

TEST_F(VectorTest, IndexOfFindsByEqualsOrFindsANull) {
    auto* vector = vectorOf({4, 5, 4});
    vector->addElement(nullptr);
    vector->addElement(integer(6));
    struct Case {
        Object* obj;
        jint start, found;
    };
    const Case cases[] = {
        {integer(4), 0, 0},   {integer(4), 1, 2},  {integer(4), 3, -1}, {nullptr, 0, 3},
        {nullptr, 4, -1},     {integer(6), 0, 4},  {integer(7), 0, -1}, {integer(5), 5, -1},
        {integer(5), 99, -1}, {integer(4), -3, 0}, {nullptr, -1, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vector->indexOf(c.obj, c.start), c.found) << c.start;
    }
    EXPECT_EQ(vector->contains(integer(5)), 1);
    EXPECT_EQ(vector->contains(integer(8)), 0);
    EXPECT_EQ(vector->contains(nullptr), 1);
    // A String never equals an Integer, even with the same text.
    EXPECT_EQ(vector->contains(newStringFromCString("5")), 0);
}

TEST_F(VectorTest, RemoveAllElementsNullsEverySlotAndKeepsTheCapacity) {
    auto* vector = vectorOf(std::vector<jint>(12, 1));
    vector->removeAllElements();
    EXPECT_EQ(vector->size(), 0);
    EXPECT_EQ(vector->isEmpty(), 1);
    EXPECT_EQ(vector->capacity(), 20);
    for (jint i = 0; i < vector->capacity(); ++i) {
        EXPECT_EQ(vector->elementData->data()[i], nullptr) << i;
    }
    vector->addElement(integer(3));
    EXPECT_EQ(valuesOf(vector), std::vector<jint>{3});
}

} // namespace
} // namespace runtime
