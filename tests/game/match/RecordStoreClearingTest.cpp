// clearRecordStore on record stores in a temporary game folder: the records go from the last
// listed id to the first, the index file is left empty and the store reopens empty; an empty store
// loses nothing; a missing store leaves its exception pending.
#include "game/match/RecordStoreClearing.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/String.h"
#include "tests/profile/RecordStoreTestSupport.h"
#include "tests/runtime/LogCapture.h"

namespace profile {
namespace {

// The names of the files deleted in a folder while a watch is held, in deletion order.
class DeletionWatch {
public:
    explicit DeletionWatch(const std::filesystem::path& folder)
        : descriptor(inotify_init1(IN_NONBLOCK)),
          watch(inotify_add_watch(descriptor, folder.c_str(), IN_DELETE)) {}
    ~DeletionWatch() { close(descriptor); }
    DeletionWatch(const DeletionWatch&) = delete;
    DeletionWatch& operator=(const DeletionWatch&) = delete;

    bool ready() const { return descriptor >= 0 && watch >= 0; }
    std::vector<std::string> deleted() const {
        std::vector<std::string> names;
        alignas(inotify_event) std::array<char, 8192> buffer{};
        ssize_t n = 0;
        while ((n = read(descriptor, buffer.data(), buffer.size())) > 0) {
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                if (event->len > 0) {
                    names.emplace_back(event->name);
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int descriptor;
    int watch;
};

class RecordStoreClearingTest : public RecordStoreFixture {
protected:
    static runtime::String* name(const char* text) { return runtime::newStringFromCString(text); }
};

TEST_F(RecordStoreClearingTest, RecordsGoLastIdFirstAndTheStoreReopensEmpty) {
    RecordStore* store = open("saved");
    for (std::uint8_t i = 1; i <= 4; ++i) {
        add(store, Bytes(i * 10U, i));
    }
    store->deleteRecord(2);
    add(store, Bytes{5, 5, 5});
    ASSERT_EQ(idsOf(store), std::vector<jint>({1, 3, 4, 5}));
    store->closeRecordStore();
    ASSERT_FALSE(runtime::exceptionPending());
    ASSERT_FALSE(readBytes(indexFile("saved")).empty());

    DeletionWatch watch(gameFolder());
    ASSERT_TRUE(watch.ready());
    game::match::clearRecordStore(name("saved"));
    ASSERT_FALSE(runtime::exceptionPending());

    std::vector<std::string> records;
    for (const std::string& file : watch.deleted()) {
        const std::string prefix = indexFile("saved").filename().string() + "_r";
        if (file.rfind(prefix, 0) == 0 && file.size() > 4 && file.substr(file.size() - 4) == ".rms") {
            records.push_back(file);
        }
    }
    EXPECT_EQ(records, std::vector<std::string>({recordFileOf("saved", 5).filename().string(),
                                                 recordFileOf("saved", 4).filename().string(),
                                                 recordFileOf("saved", 3).filename().string(),
                                                 recordFileOf("saved", 1).filename().string()}));
    for (const jint id : {1, 2, 3, 4, 5}) {
        EXPECT_FALSE(std::filesystem::exists(recordFileOf("saved", id))) << id;
    }
    ASSERT_TRUE(std::filesystem::exists(indexFile("saved")));
    EXPECT_EQ(std::filesystem::file_size(indexFile("saved")), 0U);

    runtime::LogCapture log; // the empty index is reported as cut short when it is read
    RecordStore* reopened = open("saved", false);
    ASSERT_FALSE(runtime::exceptionPending());
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(idsOf(reopened).empty());
    EXPECT_EQ(reopened->getSize(), 0);
}

TEST_F(RecordStoreClearingTest, AnEmptyStoreIsOpenedAndLeftEmpty) {
    RecordStore* store = open("blank");
    store->closeRecordStore();
    game::match::clearRecordStore(name("blank"));
    EXPECT_FALSE(runtime::exceptionPending());
    EXPECT_EQ(std::filesystem::file_size(indexFile("blank")), 0U);
    runtime::LogCapture log;
    EXPECT_TRUE(idsOf(open("blank", false)).empty());
    EXPECT_FALSE(runtime::exceptionPending());
}

TEST_F(RecordStoreClearingTest, AMissingStoreLeavesItsExceptionPendingAndCreatesNothing) {
    game::match::clearRecordStore(name("absent"));
    const auto [classId, message] = takePending();
    EXPECT_EQ(classId, runtime::kRecordStoreNotFoundException);
    EXPECT_NE(message.find("rms_absent.rms"), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(indexFile("absent")));
}

} // namespace
} // namespace profile
