// A store killed at random points while records are added, replaced and deleted always reopens
// with a whole index, and every listed record holds one whole version of its bytes, never older
// than the last version seen committed. Once it has reopened, its folder holds the index and the
// listed records' files and nothing else: no temporary file, no file of a record it does not list.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "profile/RecordStore.h"
#include "runtime/Exceptions.h"
#include "runtime/System.h"
#include "tests/profile/RecordStoreTestSupport.h"

namespace profile {
namespace {

constexpr const char* kStoreName = "crash";
constexpr jint kMaxRecords = 64;
constexpr int kRounds = 30;
constexpr int kMaxDelayMicroseconds = 20000;
// What the writer reports once its first change is committed (ids it deletes are positive).
constexpr jint kReady = 0;

// Version v of record id: its id and version, then bytes that follow from both, of a length
// that changes with the version, so a cut or mixed file cannot pass for a whole one.
Bytes recordContent(const std::int32_t id, const std::int32_t version) {
    Bytes bytes = bigEndian({id, version});
    const std::int32_t length = 8 + (id * 37 + version * 11) % 300;
    for (std::int32_t i = 8; i < length; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(id * 131 + version * 7 + i * 13));
    }
    return bytes;
}

// The version a record file holds, or -1 when it is not one whole version of record id.
std::int32_t versionOf(const Bytes& bytes, const std::int32_t id) {
    if (bytes.size() < 8) {
        return -1;
    }
    const auto read = [&](const std::size_t at) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 |
                                         bytes[at + 2] << 8 | bytes[at + 3]);
    };
    const std::int32_t version = read(4);
    return read(0) == id && bytes == recordContent(id, version) ? version : -1;
}

class RecordStoreCrashTest : public RecordStoreFixture {
protected:
    // Room for the writer's garbage between its collections.
    RecordStoreCrashTest() : RecordStoreFixture(8 << 20, 8 << 20) {}

    // The child: adds, replaces and deletes records until it is killed. Reports on reportFd once
    // its first change is committed, then each id it is about to delete. Exit codes other than by
    // the kill name what went wrong.
    [[noreturn]] static void runWriter(const int reportFd, const int round) {
        RecordStore* store = open(kStoreName);
        if (store == nullptr || runtime::getPendingException() != nullptr) {
            _exit(2);
        }
        std::mt19937 random(static_cast<std::uint32_t>(round));
        for (std::int32_t step = 0;; ++step) {
            const std::int32_t version = round * 1000000 + step + 1;
            const jint count = store->recordIds->size();
            const std::uint32_t choice = random() % 8;
            if (count > 0 && choice == 0) {
                const jint id = idsOf(store)[random() % static_cast<std::uint32_t>(count)];
                if (write(reportFd, &id, sizeof id) != sizeof id) {
                    _exit(6);
                }
                store->deleteRecord(id);
            } else if (count == 0 || (count < kMaxRecords && choice % 2 == 0)) {
                const jint id = store->nextRecordId + 1;
                if (add(store, recordContent(id, version)) != id) {
                    _exit(3);
                }
            } else {
                const jint id = idsOf(store)[random() % static_cast<std::uint32_t>(count)];
                set(store, id, recordContent(id, version));
            }
            if (runtime::getPendingException() != nullptr) {
                _exit(4);
            }
            if (step == 0 && write(reportFd, &kReady, sizeof kReady) != sizeof kReady) {
                _exit(5);
            }
            if (step % 16 == 15) {
                runtime::System::gc();
            }
        }
    }

    // Reads the store's files as they lie on disk and checks them; returns the versions found.
    // A committed record may be missing only when the writer was deleting it.
    std::map<jint, std::int32_t> checkFiles(const std::map<jint, std::int32_t>& committed,
                                            const std::set<jint>& deleting) {
        std::map<jint, std::int32_t> found;
        const Bytes index = readBytes(indexFile(kStoreName));
        EXPECT_GE(index.size(), 8u);
        EXPECT_EQ(index.size() % 4, 0u);
        if (index.size() < 8 || index.size() % 4 != 0) {
            return found;
        }
        std::vector<jint> words;
        for (std::size_t at = 0; at < index.size(); at += 4) {
            words.push_back(static_cast<jint>(static_cast<std::uint32_t>(index[at]) << 24 |
                                              index[at + 1] << 16 | index[at + 2] << 8 | index[at + 3]));
        }
        const jint lastId = words[0];
        EXPECT_EQ(words[1], static_cast<jint>(words.size()) - 2) << "count against the index size";
        const std::vector<jint> ids(words.begin() + 2, words.end());
        EXPECT_EQ(std::set<jint>(ids.begin(), ids.end()).size(), ids.size()) << "an id listed twice";
        for (const jint id : ids) {
            EXPECT_GE(id, 1);
            EXPECT_LE(id, lastId);
            const std::int32_t version = versionOf(readBytes(recordFileOf(kStoreName, id)), id);
            EXPECT_GE(version, 0) << "record " << id << " is not one whole version";
            found[id] = version;
        }
        for (const auto& [id, version] : committed) {
            if (found.count(id) == 0) {
                EXPECT_EQ(deleting.count(id), 1u) << "record " << id << " was lost";
                continue;
            }
            EXPECT_GE(found[id], version) << "record " << id << " went back to an older version";
        }
        // The store reads the same from its files.
        RecordStore* store = open(kStoreName, false);
        EXPECT_NE(store, nullptr);
        if (store != nullptr) {
            EXPECT_EQ(idsOf(store), ids);
            EXPECT_EQ(store->nextRecordId, lastId);
            for (const jint id : ids) {
                EXPECT_EQ(recordOf(store, id), readBytes(recordFileOf(kStoreName, id))) << id;
            }
        }
        // Reopened, the folder holds exactly the index and the listed records' files.
        std::set<std::string> expected = {indexFile(kStoreName).filename().string()};
        for (const jint id : ids) {
            expected.insert(recordFileOf(kStoreName, id).filename().string());
        }
        std::set<std::string> present;
        for (const auto& entry : std::filesystem::directory_iterator(gameFolder())) {
            present.insert(entry.path().filename().string());
        }
        EXPECT_EQ(present, expected);
        return found;
    }
};

TEST_F(RecordStoreCrashTest, AKilledWriterLeavesAWholeStore) {
    std::mt19937 random(20240607);
    std::map<jint, std::int32_t> committed;
    int killed = 0;
    for (int round = 1; round <= kRounds && !HasFailure(); ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            runWriter(ready[1], round);
        }
        close(ready[1]);
        std::set<jint> deleting;
        jint report = -1;
        while (report != kReady && read(ready[0], &report, sizeof report) == sizeof report) {
            deleting.insert(report);
        }
        const bool started = report == kReady;
        usleep(static_cast<useconds_t>(random() % kMaxDelayMicroseconds));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        while (read(ready[0], &report, sizeof report) == sizeof report) {
            deleting.insert(report);
        }
        close(ready[0]);
        ASSERT_TRUE(started) << "the writer ended before its first change, status " << status;
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer failed, status " << status;
        ++killed;
        committed = checkFiles(committed, deleting);
    }
    EXPECT_EQ(killed, kRounds);
    EXPECT_FALSE(committed.empty());
}

} // namespace
} // namespace profile
