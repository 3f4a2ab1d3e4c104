// Exception objects of the class library and the number wrappers.
#include <gtest/gtest.h>

#include <string>

#include "runtime/ClassTable.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/System.h"
#include "tests/runtime/StringTestSupport.h"

namespace runtime {
namespace {

using LibraryExceptionsTest = StringsFixture;

String* constant(const jint n) {
    return static_cast<String*>((*Application::getInstance()->getStaticClass()->constantPool)[n]);
}

TEST_F(LibraryExceptionsTest, WithoutAMessageTheTextIsConstantStringOne) {
    auto* eof = newObject<java_io_EOFException>();
    EXPECT_EQ(eof->classId, kEOFException);
    EXPECT_EQ(eof->message, constant(1));
    EXPECT_EQ(eof->toString(), constant(1));
    EXPECT_EQ(eof->stackTrace, nullptr);
    auto* plain = newObject<java_lang_Throwable>();
    EXPECT_EQ(plain->classId, kThrowable);
    EXPECT_EQ(plain->toString(), constant(1));
}

TEST_F(LibraryExceptionsTest, AMessageIsTheTextItself) {
    String* path = make(u"rms_game.idx");
    auto* missing = newObject<javax_microedition_rms_RecordStoreNotFoundException>(path);
    EXPECT_EQ(missing->classId, kRecordStoreNotFoundException);
    EXPECT_EQ(missing->toString(), path);
}

TEST_F(LibraryExceptionsTest, IndexExceptionNamesTheIndex) {
    auto* exception = newArrayIndexOutOfBoundsException(-12);
    EXPECT_EQ(exception->classId, kArrayIndexOutOfBoundsException);
    EXPECT_EQ(units(exception->toString()), u"Array index out of range: -12");
}

TEST_F(LibraryExceptionsTest, ExceptionsMatchTheirSuperclasses) {
    auto* eof = newObject<java_io_EOFException>();
    for (const jint classId : {kEOFException, kIOException, kException, kThrowable, kObject}) {
        EXPECT_EQ(instanceOf(eof, classId), 1) << classId;
    }
    EXPECT_EQ(instanceOf(eof, kRuntimeException), 0);
    EXPECT_EQ(instanceOf(newArrayIndexOutOfBoundsException(1), kIndexOutOfBoundsException), 1);
}

TEST_F(LibraryExceptionsTest, RegisteredFieldsKeepTheMessageAlive) {
    auto* exception = newObject<java_lang_IllegalArgumentException>(make(u"kept by the exception only"));
    System::gc();
    EXPECT_EQ(units(exception->toString()), u"kept by the exception only");
    EXPECT_EQ(exception->toString()->classId, kString);
}

// Integer's answers agree with Java's (tests/fixtures/strings/JavaReference.java).
TEST_F(LibraryExceptionsTest, IntegerEqualsOnlyAnIntegerOfTheSameValue) {
    auto* five = newObject<java_lang_Integer>(5);
    EXPECT_EQ(five->equals(newObject<java_lang_Integer>(5)), 1);
    EXPECT_EQ(five->equals(five), 1);
    EXPECT_EQ(five->equals(newObject<java_lang_Integer>(6)), 0);
    EXPECT_EQ(five->equals(newObject<java_lang_Boolean>(jboolean{1})), 0);
    EXPECT_EQ(five->equals(nullptr), 0);
    auto* minusSeven = newObject<java_lang_Integer>(-7);
    EXPECT_EQ(minusSeven->hashCode(), -7);
    EXPECT_EQ(units(minusSeven->toString()), u"-7");
    EXPECT_EQ(minusSeven->longValue(), -7);
    EXPECT_EQ(newObject<java_lang_Integer>(kIntMin)->longValue(), jlong{kIntMin});
}

TEST_F(LibraryExceptionsTest, BooleanStaticsTextsAndHashes) {
    Boolean::staticInit();
    StaticClass* block = Application::getInstance()->getStaticClass();
    java_lang_Boolean* yes = block->booleanTrue;
    java_lang_Boolean* no = block->booleanFalse;
    ASSERT_NE(yes, nullptr);
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(yes->value, 1);
    EXPECT_EQ(no->value, 0);
    EXPECT_EQ(yes->hashCode(), 1);
    EXPECT_EQ(no->hashCode(), 0);
    EXPECT_EQ(yes->toString(), constant(329));
    EXPECT_EQ(no->toString(), constant(330));
    EXPECT_EQ(yes->equals(newObject<java_lang_Boolean>(jboolean{1})), 1);
    EXPECT_EQ(yes->equals(no), 0);
    EXPECT_EQ(yes->equals(newObject<java_lang_Integer>(1)), 0);
    EXPECT_EQ(yes->equals(nullptr), 0);
}

TEST_F(LibraryExceptionsTest, RuntimeIsOneInstance) {
    Runtime::staticInit();
    java_lang_Runtime* runtime = Runtime::getRuntime();
    ASSERT_NE(runtime, nullptr);
    EXPECT_EQ(runtime->classId, kRuntime);
    EXPECT_EQ(Runtime::getRuntime(), runtime);
    runtime->gc();
    runtime->exit(0);
}

} // namespace
} // namespace runtime
