// The hash table: buckets, growth, lookups, enumeration order, its text and its exceptions.
#include "runtime/Hashtable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Collector.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"
#include "tests/runtime/SamplePoolFixture.h"

namespace runtime {
namespace {

// A key with a chosen hash code that equals any key of the same name, whatever its hash.
struct NamedKey : Object {
    jint hash = 0;
    jint name = 0;

    NamedKey(const jint keyHash, const jint keyName) : Object(kObject), hash(keyHash), name(keyName) {}
    jint hashCode() override { return hash; }
    jint equals(Object* other) override {
        auto* key = static_cast<NamedKey*>(other);
        return other != nullptr && other->classId == kObject && key->name == name ? 1 : 0;
    }
    String* toString() override { return String::valueOfInt(name); }
};

class HashtableTest : public SamplePoolFixture {
protected:
    static java_lang_Integer* integer(const jint value) { return newObject<java_lang_Integer>(value); }
    static jint valueOf(Object* object) { return static_cast<java_lang_Integer*>(object)->value; }
    static NamedKey* key(const jint hash, const jint name) { return newObject<NamedKey>(hash, name); }

    // Everything an enumeration hands out, as Integer values or key names.
    static std::vector<jint> drain(java_util_Hashtable_HashtableEnumerator* enumerator) {
        std::vector<jint> values;
        while (enumerator->hasMoreElements() != 0) {
            Object* element = enumerator->nextElement();
            values.push_back(element->classId == kInteger ? valueOf(element)
                                                          : static_cast<NamedKey*>(element)->name);
        }
        return values;
    }
};

TEST_F(HashtableTest, NewTablesHoldTheirCapacityAndThreshold) {
    struct Case {
        jint requested, capacity, threshold;
    };
    for (const Case c : {Case{11, 11, 8}, Case{4, 4, 3}, Case{1, 1, 0}, Case{0, 1, 0}, Case{-3, 1, 0}}) {
        auto* table = newObject<java_util_Hashtable>(c.requested);
        EXPECT_EQ(table->classId, kHashtable);
        EXPECT_EQ(table->table->length, c.capacity) << c.requested;
        EXPECT_EQ(table->threshold, c.threshold) << c.requested;
        EXPECT_EQ(table->size(), 0);
        EXPECT_EQ(table->isEmpty(), 1);
    }
    EXPECT_EQ(newObject<java_util_Hashtable>()->table->length, 11);
    EXPECT_TRUE(logged("Hashtable capacity below 0: taken as 1"));
}

TEST_F(HashtableTest, TheNinthKeyRehashesToTwentyThreeBeforeItGoesIn) {
    auto* table = newObject<java_util_Hashtable>();
    for (jint i = 0; i < 8; ++i) {
        EXPECT_EQ(table->put(integer(i), integer(100 + i)), nullptr);
        EXPECT_EQ(table->table->length, 11) << i;
    }
    table->put(integer(8), integer(108));
    EXPECT_EQ(table->table->length, 23);
    EXPECT_EQ(table->threshold, 17);
    EXPECT_EQ(table->size(), 9);
    for (jint i = 0; i < 9; ++i) {
        ASSERT_NE(table->findValue(integer(i)), nullptr) << i;
        EXPECT_EQ(valueOf(table->findValue(integer(i))), 100 + i);
        // Every entry sits in the bucket its hash names.
        EXPECT_NE(table->table->data()[i], nullptr) << i;
    }
    for (jint i = 9; i < 40; ++i) {
        table->put(integer(i), integer(i));
    }
    EXPECT_EQ(table->table->length, 95); // 23 -> 47 -> 95
    EXPECT_EQ(table->size(), 40);
}

TEST_F(HashtableTest, PutOfAKnownKeyReplacesTheValueInPlace) {
    auto* table = newObject<java_util_Hashtable>(4);
    table->put(key(1, 10), integer(1));
    table->put(key(5, 20), integer(2));
    Object* previous = table->put(key(1, 10), integer(3));
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(valueOf(previous), 1);
    EXPECT_EQ(table->size(), 2);
    EXPECT_EQ(valueOf(table->findValue(key(1, 10))), 3);
    // The replaced entry kept its place behind the newer one.
    EXPECT_EQ(drain(table->keys()), (std::vector<jint>{20, 10}));
}

TEST_F(HashtableTest, ANegativeHashLandsInsideTheTable) {
    auto* table = newObject<java_util_Hashtable>();
    const jint hash = -5;
    table->put(key(hash, 1), integer(7));
    const jint bucket = (hash & 0x7FFFFFFF) % 11;
    auto* head = static_cast<java_util_HashtableEntry*>(table->table->data()[bucket]);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->hash, hash);
    EXPECT_EQ(valueOf(table->findValue(key(hash, 1))), 7);
    table->put(key(kIntMin, 2), integer(8));
    EXPECT_EQ(valueOf(table->findValue(key(kIntMin, 2))), 8);
}

TEST_F(HashtableTest, EqualKeysWithDifferentHashesAreTwoEntries) {
    auto* table = newObject<java_util_Hashtable>();
    table->put(key(1, 42), integer(1));
    table->put(key(2, 42), integer(2));
    EXPECT_EQ(table->size(), 2);
    EXPECT_EQ(valueOf(table->findValue(key(1, 42))), 1);
    EXPECT_EQ(valueOf(table->findValue(key(2, 42))), 2);
    EXPECT_EQ(table->findValue(key(3, 42)), nullptr);
    EXPECT_EQ(table->findValue(nullptr), nullptr);
}

TEST_F(HashtableTest, StringKeysMatchByContent) {
    auto* table = newObject<java_util_Hashtable>();
    table->put(newStringFromCString("MIDlet-Name"), newStringFromCString("Tarnwick"));
    Object* found = table->findValue(newStringFromCString("MIDlet-Name"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(text(static_cast<String*>(found)), "Tarnwick");
    EXPECT_EQ(table->findValue(newStringFromCString("MIDlet-Vendor")), nullptr);
}

TEST_F(HashtableTest, EnumerationRunsFromTheLastBucketNewestFirst) {
    auto* table = newObject<java_util_Hashtable>(4);
    table->put(key(1, 'A'), integer('a')); // bucket 1
    table->put(key(5, 'B'), integer('b')); // bucket 1, in front of A
    table->put(key(2, 'C'), integer('c')); // bucket 2
    EXPECT_EQ(drain(table->keys()), (std::vector<jint>{'C', 'B', 'A'}));
    EXPECT_EQ(drain(table->elements()), (std::vector<jint>{'c', 'b', 'a'}));
}

TEST_F(HashtableTest, RehashVisitsOldBucketsFromHighToLow) {
    // Capacity 1 rehashes at the first put (threshold 0) to 3, then at the third to 7.
    auto* table = newObject<java_util_Hashtable>(1);
    table->put(key(0, 1), integer(0));
    EXPECT_EQ(table->table->length, 3);
    table->put(key(7, 2), integer(0)); // 7 % 3 = 1
    table->put(key(14, 3), integer(0));
    ASSERT_EQ(table->table->length, 7);
    // Old buckets 2 (empty), 1 (key 2), 0 (key 1) move in that order to new bucket 0, so key 1,
    // moved last, heads it; key 3 went in after the rehash.
    EXPECT_EQ(drain(table->keys()), (std::vector<jint>{3, 1, 2}));
}

TEST_F(HashtableTest, AnExhaustedEnumeratorRaisesNoSuchElement) {
    auto* table = newObject<java_util_Hashtable>(4);
    table->put(integer(1), integer(2));
    java_util_Hashtable_HashtableEnumerator* values = table->elements();
    EXPECT_EQ(valueOf(values->nextElement()), 2); // without asking first
    EXPECT_EQ(values->hasMoreElements(), 0);
    EXPECT_EQ(values->nextElement(), nullptr);
    EXPECT_EQ(takePending(), std::make_pair(jint{kNoSuchElementException}, sampleText(298)));
    EXPECT_EQ(values->hasMoreElements(), 0);
    EXPECT_EQ(values->index, 0);
}

TEST_F(HashtableTest, TheEnumeratorAnswersAsAnEnumeration) {
    auto* table = newObject<java_util_Hashtable>();
    table->put(integer(3), integer(4));
    java_util_Hashtable_HashtableEnumerator* enumerator = table->keys();
    EXPECT_EQ(instanceOf(enumerator, kEnumeration), 1);
    auto* view = static_cast<java_util_Enumeration*>(enumerator->getInterface(kEnumeration));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->hasMoreElements(), 1);
    EXPECT_EQ(valueOf(view->nextElement()), 3);
    EXPECT_EQ(view->hasMoreElements(), 0);
    EXPECT_EQ(enumerator->getInterface(kRunnable), nullptr);
}

TEST_F(HashtableTest, TextListsTheEntriesInEnumerationOrder) {
    auto* table = newObject<java_util_Hashtable>(4);
    EXPECT_EQ(text(table->toString()), sampleText(296) + sampleText(297));
    table->put(key(1, 1), integer(10));
    table->put(key(2, 2), integer(20));
    EXPECT_EQ(text(table->toString()), sampleText(296) + "2" + sampleText(14) + "20" + sampleText(191) + "1" +
                                           sampleText(14) + "10" + sampleText(297));
    EXPECT_EQ(text(table->toString()), "{2=20, 1=10}");
}

TEST_F(HashtableTest, NullValuesAreRefusedAndChangeNothing) {
    auto* table = newObject<java_util_Hashtable>(1);
    EXPECT_EQ(table->put(integer(1), nullptr), nullptr);
    EXPECT_EQ(takePending(), std::make_pair(jint{kNullPointerException}, sampleText(1)));
    EXPECT_EQ(table->put(nullptr, integer(1)), nullptr);
    EXPECT_EQ(takePending().first, kNullPointerException);
    EXPECT_EQ(table->size(), 0);
    EXPECT_EQ(table->table->length, 1); // no rehash either
    EXPECT_EQ(table->contains(nullptr), 0);
    EXPECT_EQ(takePending().first, kNullPointerException);
}

TEST_F(HashtableTest, ContainsComparesValuesAndClearKeepsTheCapacity) {
    auto* table = newObject<java_util_Hashtable>();
    for (jint i = 0; i < 12; ++i) {
        table->put(integer(i), integer(i * 3));
    }
    EXPECT_EQ(table->contains(integer(33)), 1);
    EXPECT_EQ(table->contains(integer(34)), 0);
    EXPECT_EQ(takePending().first, 0);
    table->clear();
    EXPECT_EQ(table->size(), 0);
    EXPECT_EQ(table->isEmpty(), 1);
    EXPECT_EQ(table->table->length, 23);
    EXPECT_EQ(table->contains(integer(33)), 0);
    EXPECT_EQ(table->findValue(integer(11)), nullptr);
    EXPECT_EQ(table->keys()->hasMoreElements(), 0);
}

// The table keeps its buckets, entries, keys and values alive through a collection.
[[gnu::noinline]] java_util_Hashtable* fillTable() {
    auto* table = newObject<java_util_Hashtable>(2);
    for (jint i = 0; i < 20; ++i) {
        table->put(newObject<java_lang_Integer>(i), String::valueOfInt(i * 7));
    }
    return table;
}

TEST_F(HashtableTest, ACollectionKeepsWhatTheTableHolds) {
    java_util_Hashtable* table = fillTable();
    java_util_Hashtable_HashtableEnumerator* values = table->elements();
    clearDeadStack();
    System::gc();
    for (jint i = 0; i < 20; ++i) {
        Object* value = table->findValue(integer(i));
        ASSERT_NE(value, nullptr) << i;
        EXPECT_EQ(text(static_cast<String*>(value)), std::to_string(i * 7));
    }
    jint handedOut = 0;
    while (values->hasMoreElements() != 0) {
        EXPECT_EQ(values->nextElement()->classId, kString);
        ++handedOut;
    }
    EXPECT_EQ(handedOut, 20);
}

} // namespace
} // namespace runtime
