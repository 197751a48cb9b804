#include "OrvLib/ORVUTIL/OrvApp.h"

#include <atomic>

void OrvApp::ReportError(int, int) {}
void* OrvApp::GetMainWindow() { return nullptr; }
const char* OrvApp::GetAppName() { return nullptr; }
int OrvApp::GetOptions() { return 0; }
void OrvApp::Register() { OrvAppRegistry::Module().Register(OrvCurrentThreadId(), this); }
void OrvApp::Unregister() { OrvAppRegistry::Module().Unregister(OrvCurrentThreadId()); }

OrvApp* GetOrvAPP() { return OrvAppRegistry::Module().Lookup(OrvCurrentThreadId()); }

void OrvReportError(int code, int detail) {
    if (OrvApp* app = GetOrvAPP()) app->ReportError(code, detail);
}

void* OrvResourceInstance() {
    OrvApp* app = GetOrvAPP();
    return app != nullptr ? app->GetResourceInstance() : nullptr;
}

uint32_t OrvCurrentThreadId() {
    // Numbers are handed out on a thread's first question, so no platform call is needed
    // and two live threads never share one.
    static std::atomic<uint32_t> next{1};
    thread_local const uint32_t id = next.fetch_add(1);
    return id;
}

OrvAppRegistry& OrvAppRegistry::Module() {
    static OrvAppRegistry registry;
    return registry;
}

OrvAppRegistry::~OrvAppRegistry() {
    for (Entry*& head : buckets) {
        while (head != nullptr) {
            Entry* next = head->next;
            delete head;
            head = next;
        }
    }
}

unsigned OrvAppRegistry::BucketOf(uint32_t threadId) {
    uint32_t h = 0;
    for (int i = 0; i < 4; ++i) h = 2 * h + ((threadId >> (8 * i)) & 0xFF);
    return h % kBucketCount;
}

OrvAppRegistry::Entry* OrvAppRegistry::Find(uint32_t threadId) const {
    for (Entry* e = buckets[BucketOf(threadId)]; e != nullptr; e = e->next)
        if (e->threadId == threadId) return e;
    return nullptr;
}

void OrvAppRegistry::Register(uint32_t threadId, OrvApp* app) {
    if (Entry* e = Find(threadId)) {
        e->app = app;
        return;
    }
    Entry*& head = buckets[BucketOf(threadId)];
    Entry* e = new Entry{threadId, app, nullptr, head};
    if (head != nullptr) head->prev = e;
    head = e;
    ++count;
}

void OrvAppRegistry::Unregister(uint32_t threadId) {
    Entry* e = Find(threadId);
    if (e == nullptr) return;
    if (e->prev != nullptr)
        e->prev->next = e->next;
    else
        buckets[BucketOf(threadId)] = e->next;
    if (e->next != nullptr) e->next->prev = e->prev;
    delete e;
    --count;
}

OrvApp* OrvAppRegistry::Lookup(uint32_t threadId) const {
    Entry* e = Find(threadId);
    return e != nullptr ? e->app : nullptr;
}

int OrvAppRegistry::BucketLength(unsigned bucket) const {
    if (bucket >= kBucketCount) return 0;
    int n = 0;
    for (Entry* e = buckets[bucket]; e != nullptr; e = e->next) ++n;
    return n;
}
