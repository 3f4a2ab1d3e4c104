// The runtime the fuzz targets run in (see FuzzRuntime.h).
#include "fuzz/FuzzRuntime.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <unordered_set>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/framework/StaticSetUp.h"
#include "game/resources/ArchiveResource.h"
#include "platform/Files.h"
#include "profile/AppProperties.h"
#include "profile/Files.h"
#include "profile/Resources.h"
#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/Collector.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/StreamsByteArray.h"
#include "runtime/StreamsResource.h"
#include "runtime/String.h"
#include "runtime/VirtualMemoryManager.h"
#include "tests/game/support/MemoryResources.h"
#include "tests/support/SampleConstantPool.h"

namespace fuzzing {

namespace {

using runtime::Object;

constexpr char kFolderPrefix[] = "tarnwick-fuzz-";
// Objects an input may leave behind for a while: the shared decoding buffer and what stale stack
// words still point at. More than this means something keeps what the input made.
constexpr std::size_t kSurvivorAllowance = 64;

runtime::Application* instance = nullptr;
// Everything the set-up made; the rest belongs to the input that made it.
std::unordered_set<const Object*> setUpObjects;
// The static-field block as the set-up left it: each input starts from it. For the game's
// readers the whole game block is kept.
runtime::StaticClass* setUpStatics = nullptr;
game::GameStatics* setUpGameStatics = nullptr;
bool gameRuntime = false;
std::string folder;

void removeFolder() {
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

// Removes the folders of fuzzing processes that are gone (a crash skips the removal at exit).
void removeAbandonedFolders(const std::filesystem::path& parent) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(parent, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kFolderPrefix, 0) != 0) {
            continue;
        }
        const long pid = std::strtol(name.c_str() + sizeof kFolderPrefix - 1, nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::filesystem::remove_all(entry.path(), error);
        }
    }
}

void makeProgramsFolder() {
    const std::filesystem::path parent = std::filesystem::is_directory("/dev/shm")
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
    removeAbandonedFolders(parent);
    folder = (parent / (kFolderPrefix + std::to_string(getpid()))).string();
    std::filesystem::create_directories(folder);
    setenv("TARNWICK_ROOT", folder.c_str(), 1);
    std::atexit(removeFolder);
}

// The game's start-up, as far as the parsers depend on it.
void setUp() {
    if (std::getenv("TARNWICK_FUZZ_LOG") == nullptr) {
        runtime::setLogSink([](const std::string&) {});
    } else {
        runtime::setLogSink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    }
    makeProgramsFolder();
    runtime::recordStackBase();
    // The sample pool is served directly: the archive opener is the parsers' to exercise.
    runtime::setResourceOpener(&testing_support::openSamplePool);
    if (gameRuntime) {
        game::installStaticSetUp();
    }
    instance = new runtime::Application();
    runtime::RuntimeOptions options;
    options.loadConstantPool = true;
    if (!instance->init(options)) {
        fail("the runtime cannot be set up");
    }
    profile::installResourceOpener();
    profile::installAppProperties();
    if (gameRuntime) {
        profile::setArchiveOpener(&game::testing_resources::openServedResource);
    } else {
        game::resources::installArchiveOpener();
    }

    runtime::ObjectManager* manager = instance->objectManager;
    manager->gc(0);
    // Permanent, so an input that drops the statics holding them (a new constant pool) cannot
    // have them collected before the statics are put back.
    for (runtime::jint i = 0; i < manager->count; ++i) {
        manager->objects[i]->collectable = 0;
        setUpObjects.insert(manager->objects[i]);
    }
    if (gameRuntime) {
        setUpGameStatics = runtime::createStaticBlock<game::GameStatics>();
        *setUpGameStatics = *static_cast<game::GameStatics*>(instance->staticClass);
        setUpStatics = setUpGameStatics;
    } else {
        setUpStatics = runtime::createStaticBlock<runtime::StaticClass>();
        *setUpStatics = *instance->staticClass;
    }
}

void checkHeap(const runtime::VirtualMemoryManager* heap, const char* name) {
    if (heap == nullptr || !heap->checkInvariants()) {
        fail("the %s heap is broken after the input", name);
    }
}

// Gives back everything the input made: its permanent objects become collectable again, and
// the statics that may point at them are put back first.
void endInput() {
    runtime::Application& app = *instance;
    if (app.nameDepth != 0) {
        fail("the method-name stack holds %d names after the input", app.nameDepth);
    }
    app.pendingException = nullptr;
    if (app.m_midlet != nullptr || app.currentDisplayable != nullptr || app.screenImage != nullptr ||
        app.m_screenGraphics != nullptr) {
        fail("the input set the Application's midlet or screen");
    }
    // The class records keep what the classes registered since (their lists live on).
    runtime::StaticClass* block = app.staticClass;
    std::copy(std::begin(block->classes), std::end(block->classes), std::begin(setUpStatics->classes));
    if (gameRuntime) {
        *static_cast<game::GameStatics*>(block) = *setUpGameStatics;
        game::testing_resources::servedResources().clear();
        game::testing_resources::resourceOpens().clear();
    } else {
        *block = *setUpStatics;
    }
    game::resources::resetArchiveDirectory();

    runtime::ObjectManager* manager = app.objectManager;
    for (runtime::jint i = 0; i < manager->count; ++i) {
        if (!setUpObjects.contains(manager->objects[i])) {
            manager->objects[i]->collectable = 1;
        }
    }
    manager->gc(0);
    const std::size_t survivors = static_cast<std::size_t>(manager->count) - setUpObjects.size();
    if (survivors > kSurvivorAllowance) {
        fail("%zu objects outlive the input that made them", survivors);
    }
    checkHeap(app.objectHeap, "object");
    checkHeap(app.secondaryHeap, "secondary");
}

} // namespace

int runInput(const std::uint8_t* data, const std::size_t size,
             void (*body)(const std::uint8_t* data, std::size_t size)) {
    if (instance == nullptr) {
        setUp();
    }
    body(data, size);
    endInput();
    return 0;
}

int runGameInput(const std::uint8_t* data, const std::size_t size,
                 void (*body)(const std::uint8_t* data, std::size_t size)) {
    if (instance == nullptr) {
        gameRuntime = true;
    } else if (!gameRuntime) {
        fail("a game input in a process that runs the library's inputs");
    }
    return runInput(data, size, body);
}

void serveResource(const std::string& name, const std::uint8_t* data, const std::size_t size) {
    game::testing_resources::servedResources()[name] = std::vector<std::uint8_t>(data, data + size);
}

runtime::Application& application() {
    return *instance;
}

runtime::ByteArray* byteArrayOf(const std::uint8_t* data, const std::size_t size) {
    runtime::ByteArray* bytes = runtime::newByteArray(static_cast<runtime::jint>(size));
    if (size > 0) {
        std::memcpy(bytes->data(), data, size);
    }
    return bytes;
}

runtime::java_io_InputStream* entryStreamOf(const std::uint8_t* data, const std::size_t size) {
    runtime::ByteArray* bytes = byteArrayOf(data, size);
    auto* inner =
        runtime::newObject<runtime::java_io_ByteArrayInputStream>(bytes, 0, static_cast<runtime::jint>(size));
    return runtime::newObject<runtime::javax_microedition_io_ResourceInputStream>(
        inner, static_cast<runtime::jint>(size));
}

const std::string& programsFolder() {
    return folder;
}

void writeFile(const std::string& relative, const std::uint8_t* data, const std::size_t size) {
    const std::filesystem::path path = std::filesystem::path(folder) / relative;
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        fail("cannot write %s", path.c_str());
    }
}

void writeHandsetFile(runtime::String* path, const std::uint8_t* data, const std::size_t size) {
    const std::string posix = platform::toPosixPath(profile::narrowPath(path));
    writeFile(std::filesystem::relative(posix, folder).string(), data, size);
}

std::vector<std::vector<std::uint8_t>> framedPieces(const std::uint8_t* data, const std::size_t size,
                                                    std::size_t& at, const std::size_t limit) {
    std::vector<std::vector<std::uint8_t>> pieces;
    while (pieces.size() < limit && at + kFrameLengthBytes <= size) {
        const std::size_t length = std::min<std::size_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16,
                                                         size - at - kFrameLengthBytes);
        at += kFrameLengthBytes;
        pieces.emplace_back(data + at, data + at + length);
        at += length;
    }
    return pieces;
}

void fail(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::fprintf(stderr, "fuzz: ");
    std::vfprintf(stderr, format, arguments);
    std::fprintf(stderr, "\n");
    va_end(arguments);
    std::abort();
}

void checkString(runtime::String* text, const char* what) {
    if (text == nullptr) {
        return;
    }
    if (text->count < 1 || text->chars == nullptr || text->chars[text->count - 1] != 0) {
        fail("%s: a String without its terminator (count %d)", what, text->count);
    }
    if (text->count <= runtime::kStringInlineUnits && text->chars != text->inlineChars) {
        fail("%s: a short String outside its object", what);
    }
}

} // namespace fuzzing

// Sanitizer defaults of every fuzz program (the environment's options still come on top).
// Fake stacks would hide the collector's roots from its stack scan.
extern "C" const char* __asan_default_options() {
    return "detect_stack_use_after_return=0";
}

// Tremor loses a few bytes of its own when a stream's headers do not open, whatever its caller
// does afterwards (ov_clear finds nothing to free); that is the library's, not a fault of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libvorbisidec.so\n";
}
