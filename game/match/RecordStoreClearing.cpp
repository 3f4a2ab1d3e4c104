// clearRecordStore (see RecordStoreClearing.h).
#include "game/match/RecordStoreClearing.h"

#include "profile/Files.h"
#include "profile/RecordStore.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/Vector.h"

namespace game::match {

void clearRecordStore(runtime::String* const name) {
    profile::RecordStore* const store = profile::RecordStore::openRecordStore(name, 0);
    if (runtime::exceptionPending() || store == nullptr) {
        return;
    }
    for (runtime::jint i = store->recordIds->size() - 1; i >= 0; --i) {
        runtime::Object* const element = store->recordIds->elementAt(i);
        if (element == nullptr || element->classId != runtime::kInteger) {
            runtime::log("clearRecordStore: element %d of the store's ids is no id", i);
            continue;
        }
        store->deleteRecord(static_cast<runtime::java_lang_Integer*>(element)->value);
        if (runtime::exceptionPending()) {
            return;
        }
    }
    auto* const index = runtime::newObject<profile::File>(store->path->substring(0));
    if (profile::File::create(index) == 0) {
        runtime::log("clearRecordStore: the index file could not be emptied");
    }
}

} // namespace game::match
