// Record stores, tables, vectors, strings, buffers, exceptions and fonts used while every
// allocation collects and compacts, with the constant pool read from the sample archive: no
// routine may keep an object or element pointer that a collection frees or moves.
#include <gtest/gtest.h>

#include <string>

#include "game/resources/ArchiveResource.h"
#include "profile/RecordStore.h"
#include "profile/Resources.h"
#include "runtime/Arrays.h"
#include "runtime/Collector.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Font.h"
#include "runtime/Hashtable.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/NumberWrappers.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/StreamsData.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "runtime/Vector.h"
#include "tests/runtime/CollectorTestSupport.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/TemporaryRoot.h"
#include "tools/SampleData.h"

namespace profile {
namespace {

using namespace runtime;

class LibraryUnderCollectionTest : public gctest::CollectedRuntimeTest {
protected:
    void SetUp() override {
        CollectedRuntimeTest::SetUp();
        game::resources::resetArchiveDirectory();
        root.write("Brenvale/Tarnwick/data.bar", tools::buildArchive(tools::sampleEntries()));
        game::resources::installArchiveOpener();
        installResourceOpener();
        loadConstantPool(application.getStaticClass());
    }
    void TearDown() override {
        setGcStress(false);
        game::resources::resetArchiveDirectory();
        setArchiveOpener(nullptr);
        setResourceOpener(nullptr);
        CollectedRuntimeTest::TearDown();
    }
    testing_support::TemporaryRoot root;
};

TEST_F(LibraryUnderCollectionTest, RecordStoreKeepsItsRecords) {
    setGcStress(true);
    String* name = newStringFromCString("explore");
    RecordStore* store = RecordStore::openRecordStore(name, 1);
    statics()->first = store;
    for (int i = 0; i < 12; ++i) {
        ByteArray* data = newByteArray(40 + i);
        (*data)[0] = static_cast<jbyte>(i);
        EXPECT_EQ(store->addRecord(data, 0, data->length), i + 1);
    }
    store->deleteRecord(3);
    store->setRecord(4, newByteArray(100), 0, 100);
    EXPECT_GT(store->getSize(), 0);
    store->closeRecordStore();
    RecordStore* again = RecordStore::openRecordStore(newStringFromCString("explore"), 0);
    statics()->second = again;
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->recordIds->size(), 11);
    ByteArray* buffer = newByteArray(200);
    EXPECT_EQ(again->getRecord(5, buffer, 0), 44);
    EXPECT_EQ((*buffer)[0], 4);
    setGcStress(false);
}

TEST_F(LibraryUnderCollectionTest, TablesVectorsAndEnumerationsKeepTheirElements) {
    setGcStress(true);
    auto* table = newObject<java_util_Hashtable>(1);
    statics()->first = table;
    for (int i = 0; i < 40; ++i) {
        StringBuffer* key = newStringBuffer(4);
        key->append(newStringFromCString("key-long-enough-to-leave-the-object-"));
        key->appendInt(i);
        table->put(key->toString(), newObject<java_lang_Integer>(i));
    }
    String* text = table->toString();
    EXPECT_GT(text->length(), 40 * 10);
    auto* vector = newObject<java_util_Vector>(0, 0);
    statics()->second = vector;
    for (int i = 0; i < 40; ++i) {
        vector->addElement(String::valueOfInt(i * 1000003)->toUpperCase());
    }
    vector->removeElementAt(3);
    EXPECT_EQ(vector->size(), 39);
    java_util_Hashtable_HashtableEnumerator* keys = table->keys();
    java_util_Enumeration* view = keys;
    keys = nullptr;
    int seen = 0;
    while (view->hasMoreElements() != 0) {
        newStringFromCString("garbage string that is long enough");
        EXPECT_NE(view->nextElement(), nullptr);
        ++seen;
    }
    EXPECT_EQ(seen, 40);
    setGcStress(false);
}

TEST_F(LibraryUnderCollectionTest, StringsBuffersArraysAndExceptionsComeOutWhole) {
    setGcStress(true);
    String* s = newStringFromCString("  Hello, a rather long string with Some Letters  ");
    statics()->first = s;
    String* t = s->trim()->toLowerCase()->toUpperCase()->replace('L', 'x')->substring(2, 30);
    EXPECT_EQ(testing_support::textOf(t), "xxO, A RATHER xONG STRING WI");
    StringBuffer* b = newStringBuffer(1);
    for (int i = 0; i < 10; ++i) {
        b->append(t);
        b->appendObject(newObject<java_lang_Integer>(i));
        b->insertString(0, s);
    }
    String* joined = b->toString();
    EXPECT_EQ(joined->length(), 10 * (t->length() + 1 + s->length()));
    ByteArray* bytes = joined->getBytes();
    String* decoded = newObject<String>();
    decoded->initBytes(bytes, 0, bytes->length, newStringFromCString("UTF-8"));
    EXPECT_EQ(decoded->equals(joined), 1);
    CharArray* chars = joined->toCharArray();
    String* back = newObject<String>();
    back->initCharArray(chars);
    EXPECT_EQ(back->equals(joined), 1);
    const jint counts[] = {3, 4, 5};
    ObjectArray* multi = newMultiArray("[[[I", counts, 3);
    EXPECT_EQ(static_cast<IntArray*>((*static_cast<ObjectArray*>((*multi)[2]))[3])->length, 5);
    auto* out = newObject<java_io_ByteArrayOutputStream>();
    auto* data = newObject<java_io_DataOutputStream>(out);
    for (int i = 0; i < 100; ++i) {
        data->writeInt(i);
    }
    EXPECT_EQ(out->toString()->length(), 400);
    throwException(
        newObject<java_lang_IllegalArgumentException>(newStringFromCString("a message long enough")));
    newStringFromCString("another long enough string");
    EXPECT_EQ(testing_support::textOf(getPendingException()->message), "a message long enough");
    application.pendingException = nullptr;
    javax_microedition_lcdui_Font* font = javax_microedition_lcdui_Font::getFont(0, 0, 8);
    EXPECT_EQ(javax_microedition_lcdui_Font::getFont(0, 0, 8), font);
    setGcStress(false);
}

} // namespace
} // namespace profile
