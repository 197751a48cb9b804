// The in-house library's per-thread application object. Library code asks it for the
// module that holds its resources and tells it about failures of the graphics system.
// A thread without one is normal: callers then skip the report or fail the resource load.
#pragma once

#include <cstdint>

// Codes passed to ReportError.
constexpr int kOrvErrorGraphics = 103;
constexpr int kOrvDetailSection = 9;         // a DIB section could not be made
constexpr int kOrvDetailDeviceContext = 10;  // a memory device context could not be made

class OrvApp {
public:
    OrvApp() = default;
    virtual ~OrvApp() = default;
    OrvApp(const OrvApp&) = delete;
    OrvApp& operator=(const OrvApp&) = delete;

    // Module handle from which library code loads resources.
    virtual void* GetResourceInstance() = 0;
    // A failure inside the library; ignored unless a concrete object cares.
    virtual void ReportError(int code, int detail);
    // Nothing in this product asks for these; they answer "none".
    virtual void* GetMainWindow();
    virtual const char* GetAppName();
    virtual int GetOptions();
    // Makes this object the calling thread's application object (replacing any other).
    virtual void Register();
    // Removes the calling thread's entry, whichever object it holds.
    virtual void Unregister();
};

// The application object registered for the calling thread, or null.
OrvApp* GetOrvAPP();

// Reports to the calling thread's application object; does nothing without one.
void OrvReportError(int code, int detail);

// The module handle for resources, or null when the thread has no application object.
void* OrvResourceInstance();

// A 32-bit number for the calling thread, fixed for its lifetime and distinct from that
// of every other thread of the process.
uint32_t OrvCurrentThreadId();

// Thread id to application object (not owned). One table lives for the whole module; it
// has no lock because each thread registers and unregisters only itself.
class OrvAppRegistry {
public:
    static constexpr unsigned kBucketCount = 11;

    OrvAppRegistry() = default;
    ~OrvAppRegistry();
    OrvAppRegistry(const OrvAppRegistry&) = delete;
    OrvAppRegistry& operator=(const OrvAppRegistry&) = delete;

    static OrvAppRegistry& Module();
    // h = 2h + byte over the id's bytes from the least significant, then h mod 11.
    static unsigned BucketOf(uint32_t threadId);

    void Register(uint32_t threadId, OrvApp* app);
    void Unregister(uint32_t threadId);
    OrvApp* Lookup(uint32_t threadId) const;
    int Count() const { return count; }
    int BucketLength(unsigned bucket) const;

private:
    struct Entry {
        uint32_t threadId;
        OrvApp* app;
        Entry* prev;
        Entry* next;
    };
    Entry* Find(uint32_t threadId) const;

    Entry* buckets[kBucketCount] = {};
    int count = 0;
};
