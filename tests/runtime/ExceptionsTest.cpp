// Pending exceptions: raise, after-call check, handler tables, stack-trace text and the host's
// clearing of what nothing caught.
#include "runtime/Exceptions.h"

#include <gtest/gtest.h>

#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"
#include "tests/runtime/RuntimeFixture.h"

namespace runtime {
namespace {

// An exception class that also implements an interface, to catch it through the interface cast.
struct RunnableFailure : java_lang_Throwable {
    RunnableFailure() : java_lang_Throwable(kRuntimeException) {}
    void* getInterface(const jint interfaceClassId) override {
        return interfaceClassId == kRunnable ? static_cast<void*>(this) : nullptr;
    }
};

class ExceptionsTest : public RuntimeFixture {
protected:
    java_lang_Throwable* raise(const jint classId, const jint region) {
        java_lang_Throwable* exception = newObject<java_lang_Throwable>(classId);
        throwException(exception);
        EXPECT_EQ(checkException(region), 1);
        return exception;
    }
};

TEST_F(ExceptionsTest, HandlerTableMatchesByRegionAndClass) {
    const HandlerEntry ioAtZero[] = {{kIOException, 0, 1}, {0, 0, 0}};
    const HandlerEntry firstWins[] = {{kIOException, 0, 5}, {kEOFException, 0, 5}, {0, 0, 0}};
    const HandlerEntry skipOthers[] = {
        {kNullPointerException, 0, 9}, {kIOException, 4, 9}, {kThrowable, 0, 9}, {0, 0, 0}};
    const HandlerEntry endsAtZero[] = {{0, 0, 9}, {kThrowable, 0, 9}};
    const struct {
        const char* name;
        const HandlerEntry* table;
        jint classId;
        jint region;
        jint handler;
    } cases[] = {
        {"EOF is an IOException in region 0", ioAtZero, kEOFException, 0, 0},
        {"region 1 lies outside [0, 1)", ioAtZero, kEOFException, 1, -1},
        {"negative region", ioAtZero, kEOFException, -1, -1},
        {"not an IOException", ioAtZero, kNullPointerException, 0, -1},
        {"first match wins over the exact class", firstWins, kEOFException, 2, 0},
        {"other classes and regions are skipped", skipOthers, kEOFException, 2, 2},
        {"region inside the IOException entry", skipOthers, kEOFException, 4, 1},
        {"Throwable catches everything", skipOthers, kArrayIndexOutOfBoundsException, 8, 2},
        {"class id 0 ends the table", endsAtZero, kEOFException, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        java_lang_Throwable* exception = raise(c.classId, c.region);
        EXPECT_EQ(findHandler(c.table), c.handler);
        EXPECT_EQ(getPendingException(), c.handler >= 0 ? nullptr : exception);
        application.pendingException = nullptr;
    }
}

TEST_F(ExceptionsTest, AnInterfaceCastCatches) {
    const HandlerEntry table[] = {{kIOException, 0, 1}, {kRunnable, 0, 1}, {0, 0, 0}};
    throwException(newObject<RunnableFailure>());
    EXPECT_EQ(checkException(0), 1);
    EXPECT_EQ(findHandler(table), 1);
    EXPECT_EQ(getPendingException(), nullptr);
}

TEST_F(ExceptionsTest, NothingPending) {
    const HandlerEntry table[] = {{kThrowable, 0, 100}, {0, 0, 0}};
    application.tryRegion = 7;
    EXPECT_EQ(checkException(3), 0);
    EXPECT_EQ(application.tryRegion, 7); // only a found exception records the region
    EXPECT_EQ(findHandler(table), -1);
    EXPECT_EQ(getPendingException(), nullptr);
}

TEST_F(ExceptionsTest, RaisingRecordsTheStackTraceAndTheRegionCheck) {
    application.pushName("Device::paint");
    application.pushName("CTeam::update");
    java_lang_Throwable* exception = newObject<java_lang_Throwable>(kEOFException);
    throwException(exception);
    application.popName();
    application.popName();
    EXPECT_EQ(getPendingException(), exception);
    EXPECT_EQ(text(exception->stackTrace), "stacktrace:\nCTeam::update\nDevice::paint\n");
    EXPECT_EQ(checkException(4), 1);
    EXPECT_EQ(application.tryRegion, 4);
    EXPECT_EQ(getPendingException(), exception); // checking does not clear
}

TEST_F(ExceptionsTest, RaisingNullIsLoggedAndLeavesNothingPending) {
    throwException(nullptr);
    EXPECT_TRUE(logged("throwException exception=null"));
    EXPECT_EQ(checkException(0), 0);
}

TEST_F(ExceptionsTest, StackTraceText) {
    EXPECT_EQ(text(application.getStackTrace()), "stacktrace:\n");
    application.pushName("ObjectManager::gc()");
    EXPECT_EQ(text(application.getStackTrace()), "stacktrace:\nObjectManager::gc()\n");
}

TEST_F(ExceptionsTest, TheFullNameStackFitsTheTrace) {
    std::string expected = "stacktrace:\n";
    for (jint i = 0; i < kNameStackSize; ++i) {
        application.pushName("CPlayer::think");
        expected += "CPlayer::think\n";
    }
    EXPECT_EQ(text(application.getStackTrace()), expected);
}

TEST_F(ExceptionsTest, TheHostBoundaryLogsAndClearsAStaleException) {
    java_lang_Throwable* exception =
        newObject<java_lang_Throwable>(kEOFException, newStringFromCString("end of stream"));
    application.pushName("DataInputStream::readInt");
    throwException(exception);
    application.popName();
    clearLog();

    EXPECT_EQ(clearStaleException("paint"), 1);
    EXPECT_EQ(getPendingException(), nullptr);
    EXPECT_EQ(checkException(0), 0);
    const std::vector<std::string> expected = {
        "uncaught exception java_io_EOFException after paint: end of stream",
        "stacktrace:\nDataInputStream::readInt\n",
    };
    EXPECT_EQ(logLines(), expected);

    clearLog();
    EXPECT_EQ(clearStaleException("keyPressed"), 0);
    EXPECT_TRUE(logLines().empty());
}

TEST_F(ExceptionsTest, TheHostBoundaryNamesAnExceptionWithoutMessage) {
    throwException(newObject<java_lang_Throwable>(kNullPointerException));
    clearLog();
    EXPECT_EQ(clearStaleException("startApp"), 1);
    ASSERT_FALSE(logLines().empty());
    EXPECT_EQ(logLines()[0], "uncaught exception java_lang_NullPointerException after startApp");
}

} // namespace
} // namespace runtime
