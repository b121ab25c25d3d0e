#include "curl_session.h"

#include <array>
#include <mutex>

namespace kesvane {

namespace {

struct SharedState {
    bool ready = false;
    CURLSH* share = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;
};

void lock_shared(CURL*, curl_lock_data data, curl_lock_access, void* user) {
    static_cast<SharedState*>(user)->locks[static_cast<size_t>(data)].lock();
}

void unlock_shared(CURL*, curl_lock_data data, void* user) {
    static_cast<SharedState*>(user)->locks[static_cast<size_t>(data)].unlock();
}

// Never torn down: worker threads may still be inside an exchange while the
// process exits, and the operating system reclaims everything anyway.
SharedState& shared_state() {
    static SharedState* state = [] {
        auto* s = new SharedState;
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            return s;
        }
        s->share = curl_share_init();
        if (s->share == nullptr) {
            return s;
        }
        curl_share_setopt(s->share, CURLSHOPT_LOCKFUNC, lock_shared);
        curl_share_setopt(s->share, CURLSHOPT_UNLOCKFUNC, unlock_shared);
        curl_share_setopt(s->share, CURLSHOPT_USERDATA, s);
        s->ready =
            curl_share_setopt(s->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) == CURLSHE_OK;
        return s;
    }();
    return *state;
}

} // namespace

EasyHandle new_shared_easy_handle() {
    SharedState& state = shared_state();
    if (!state.ready) {
        return nullptr;
    }
    EasyHandle handle(curl_easy_init());
    if (!handle) {
        return nullptr;
    }
    curl_easy_setopt(handle.get(), CURLOPT_SHARE, state.share);
    // Without a cookie file name the handle neither stores nor sends cookies;
    // the empty name switches the engine on without reading any file.
    curl_easy_setopt(handle.get(), CURLOPT_COOKIEFILE, "");
    return handle;
}

} // namespace kesvane
