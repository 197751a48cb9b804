// Our declarations of the host's filter plug-in interface (kind 8BFM, version 4.0).
// Binary layout must match real hosts on i686 and x86-64 Windows: FilterRecord is packed
// to 4 bytes, every other struct uses natural alignment. Native builds use the same
// layout so the in-memory host and the tests see exactly what a Windows host sees.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int16_t int16;
typedef int32_t int32;
typedef uint8_t Boolean;  // one byte; non-zero is true
typedef int16_t OSErr;
typedef uint32_t OSType;
typedef uint32_t ResType;
typedef int32_t Fixed;  // 16.16
typedef char* Ptr;
typedef char** Handle;

#if defined(_WIN32) && !defined(_WIN64)
#define PSCALL __cdecl
#else
#define PSCALL
#endif

// The mark of a plug-in module's entry point, its only exported name.
#if defined(_WIN32)
#define ORV_PLUGIN_EXPORT extern "C" __declspec(dllexport)
#else
#define ORV_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

struct Point {
    int16 v;
    int16 h;
};

struct Rect {
    int16 top;
    int16 left;
    int16 bottom;
    int16 right;
};

struct VRect {
    int32 top;
    int32 left;
    int32 bottom;
    int32 right;
};

struct RGBColor {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};

typedef unsigned char FilterColor[4];
typedef unsigned char Str255[256];  // counted string: length byte, then up to 255 characters

struct PlugInMonitor {
    Fixed gamma, redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY, ambient;
};

struct PlatformData {
    intptr_t hwnd;
};

struct AboutRecord {
    void* platformData;
    void* sSPBasic;
    void* plugInRef;
    char reserved[244];
};

typedef Boolean(PSCALL* TestAbortProc)();
typedef void(PSCALL* ProgressProc)(int32 done, int32 total);
typedef void(PSCALL* HostProc)(int16 selector, intptr_t* data);
typedef void(PSCALL* ProcessEventProc)(void* event);
typedef OSErr(PSCALL* DisplayPixelsProc)(const void* source, const VRect* srcRect, int32 dstRow, int32 dstCol,
                                         void* platformContext);
typedef OSErr(PSCALL* AdvanceStateProc)();
struct ColorServicesInfo;
typedef OSErr(PSCALL* ColorServicesProc)(ColorServicesInfo* info);
typedef OSErr(PSCALL* GetPropertyProc)(OSType signature, OSType key, int32 index, intptr_t* simpleProperty,
                                       Handle* complexProperty);

typedef Handle(PSCALL* NewPIHandleProc)(int32 size);
typedef void(PSCALL* DisposePIHandleProc)(Handle h);
typedef int32(PSCALL* GetPIHandleSizeProc)(Handle h);
typedef OSErr(PSCALL* SetPIHandleSizeProc)(Handle h, int32 newSize);
typedef Ptr(PSCALL* LockPIHandleProc)(Handle h, Boolean moveHigh);
typedef void(PSCALL* UnlockPIHandleProc)(Handle h);
typedef void(PSCALL* RecoverSpaceProc)(int32 size);
typedef void(PSCALL* DisposeRegularHandlePIHandleProc)(Handle h);

struct HandleProcs {
    int16 handleProcsVersion;
    int16 numHandleProcs;
    NewPIHandleProc newProc;
    DisposePIHandleProc disposeProc;
    GetPIHandleSizeProc getSizeProc;
    SetPIHandleSizeProc setSizeProc;
    LockPIHandleProc lockProc;
    UnlockPIHandleProc unlockProc;
    RecoverSpaceProc recoverSpaceProc;
    DisposeRegularHandlePIHandleProc disposeRegularHandleProc;
};

// Position of each procedure in the suite, for checking numHandleProcs before a call.
enum HandleProcIndex : int16 {
    kHandleNew = 1,
    kHandleDispose = 2,
    kHandleGetSize = 3,
    kHandleSetSize = 4,
    kHandleLock = 5,
    kHandleUnlock = 6,
};

struct ColorServicesInfo {
    int32 infoSize;
    int16 selector;
    int16 sourceSpace;
    int16 resultSpace;
    Boolean resultGamutInfoValid;
    Boolean resultInGamut;
    void* reservedSourceSpaceInfo;
    void* reservedResultSpaceInfo;
    int16 colorComponents[4];
    void* reserved;
    union {
        Str255* pickerPrompt;
        Point* globalSamplePoint;
        int32 specialColorID;
    } selectorParameter;
};

#pragma pack(push, 4)
struct FilterRecord {
    int32 serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters;
    Point imageSize;
    int16 planes;
    Rect filterRect;
    RGBColor background;
    RGBColor foreground;
    int32 maxSpace;
    int32 bufferSpace;
    Rect inRect;
    int16 inLoPlane;
    int16 inHiPlane;
    Rect outRect;
    int16 outLoPlane;
    int16 outHiPlane;
    void* inData;
    int32 inRowBytes;
    void* outData;
    int32 outRowBytes;
    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    Rect maskRect;
    void* maskData;
    int32 maskRowBytes;
    FilterColor backColor;
    FilterColor foreColor;
    OSType hostSig;
    HostProc hostProc;
    int16 imageMode;
    Fixed imageHRes;
    Fixed imageVRes;
    Point floatCoord;
    Point wholeSize;
    PlugInMonitor monitor;
    void* platformData;  // points to PlatformData
    void* bufferProcs;
    void* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    HandleProcs* handleProcs;
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16 wantLayout;
    int16 filterCase;
    int16 dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;
    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    GetPropertyProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16 inputPadding;
    int16 outputPadding;
    int16 maskPadding;
    char samplingSupport;
    char reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices;
    int16 inLayerPlanes;
    int16 inTransparencyMask;
    int16 inLayerMasks;
    int16 inInvertedLayerMasks;
    int16 inNonLayerPlanes;
    int16 outLayerPlanes;
    int16 outTransparencyMask;
    int16 outLayerMasks;
    int16 outInvertedLayerMasks;
    int16 outNonLayerPlanes;
    int16 absLayerPlanes;
    int16 absTransparencyMask;
    int16 absLayerMasks;
    int16 absInvertedLayerMasks;
    int16 absNonLayerPlanes;
    int16 inPreDummyPlanes;
    int16 inPostDummyPlanes;
    int16 outPreDummyPlanes;
    int16 outPostDummyPlanes;
    int32 inColumnBytes;
    int32 inPlaneBytes;
    int32 outColumnBytes;
    int32 outPlaneBytes;
    void* imageServicesProcs;
    void* propertyProcs;
    int16 inTileHeight;
    int16 inTileWidth;
    Point inTileOrigin;
    int16 absTileHeight;
    int16 absTileWidth;
    Point absTileOrigin;
    int16 outTileHeight;
    int16 outTileWidth;
    Point outTileOrigin;
    int16 maskTileHeight;
    int16 maskTileWidth;
    Point maskTileOrigin;
    void* descriptorParameters;
    Str255* errorString;
    void* channelPortProcs;
    void* documentInfo;
    // Interface 4.0 ends with 78 reserved bytes; later hosts reuse them (depth at 380/480).
    void* sSPBasic;
    void* plugInRef;
    int32 depth;
    char reserved[78 - 2 * sizeof(void*) - 4];
};
#pragma pack(pop)

typedef void(PSCALL* PluginEntryProc)(int16 selector, void* filterRecord, intptr_t* data, int16* result);

// Selectors.
enum : int16 {
    filterSelectorAbout = 0,
    filterSelectorParameters = 1,
    filterSelectorPrepare = 2,
    filterSelectorStart = 3,
    filterSelectorContinue = 4,
    filterSelectorFinish = 5,
};

// Result codes.
enum : int16 {
    noErr = 0,
    paramErr = -50,
    memFullErr = -108,
    nilHandleErr = -109,
    userCanceledErr = -128,
    filterBadParameters = -30100,
    filterBadMode = -30101,
    errPlugInHostInsufficient = -30900,
    errReportString = -30904,
};

// Image modes.
enum : int16 {
    plugInModeBitmap = 0,
    plugInModeGrayScale = 1,
    plugInModeIndexedColor = 2,
    plugInModeRGBColor = 3,
    plugInModeCMYKColor = 4,
    plugInModeRGB48 = 11,
};

// Filter cases (1-based, the order of the fici property).
enum : int16 {
    filterCaseUnsupported = -1,
    filterCaseFlatImageNoSelection = 1,
    filterCaseFlatImageWithSelection = 2,
    filterCaseFloatingSelection = 3,
    filterCaseEditableTransparencyNoSelection = 4,
    filterCaseEditableTransparencyWithSelection = 5,
    filterCaseProtectedTransparencyNoSelection = 6,
    filterCaseProtectedTransparencyWithSelection = 7,
};

// Sampling support.
enum : char {
    hostDoesNotSupportSampling = 0,
    hostSupportsIntegralSampling = 1,
    hostSupportsFractionalSampling = 2,
};

// Colour services.
enum : int16 {
    plugIncolorServicesChooseColor = 0,
    plugIncolorServicesRGBSpace = 0,
    plugIncolorServicesChosenSpace = -1,
};

constexpr OSType MakeOSType(char a, char b, char c, char d) {
    return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) | (uint32_t(uint8_t(c)) << 8) |
           uint32_t(uint8_t(d));
}

// Layout locks: a missing pack pragma, a `long` where a pointer belongs or a wrong Boolean
// width moves these offsets and breaks every real host.
#define PS_ASSERT_OFFSET(type, field, off32, off64) \
    static_assert(offsetof(type, field) == (sizeof(void*) == 8 ? (off64) : (off32)), #type "." #field)

static_assert(sizeof(Boolean) == 1 && sizeof(Point) == 4 && sizeof(Rect) == 8, "basic types");
PS_ASSERT_OFFSET(FilterRecord, abortProc, 4, 4);
PS_ASSERT_OFFSET(FilterRecord, progressProc, 8, 12);
PS_ASSERT_OFFSET(FilterRecord, parameters, 12, 20);
PS_ASSERT_OFFSET(FilterRecord, imageSize, 16, 28);
PS_ASSERT_OFFSET(FilterRecord, planes, 20, 32);
PS_ASSERT_OFFSET(FilterRecord, filterRect, 22, 34);
PS_ASSERT_OFFSET(FilterRecord, maxSpace, 44, 56);
PS_ASSERT_OFFSET(FilterRecord, inRect, 52, 64);
PS_ASSERT_OFFSET(FilterRecord, inData, 76, 88);
PS_ASSERT_OFFSET(FilterRecord, outData, 84, 100);
PS_ASSERT_OFFSET(FilterRecord, isFloating, 92, 112);
PS_ASSERT_OFFSET(FilterRecord, maskRect, 96, 116);
PS_ASSERT_OFFSET(FilterRecord, maskData, 104, 124);
PS_ASSERT_OFFSET(FilterRecord, backColor, 112, 136);
PS_ASSERT_OFFSET(FilterRecord, hostSig, 120, 144);
PS_ASSERT_OFFSET(FilterRecord, imageMode, 128, 156);
PS_ASSERT_OFFSET(FilterRecord, monitor, 148, 176);
PS_ASSERT_OFFSET(FilterRecord, platformData, 188, 216);
PS_ASSERT_OFFSET(FilterRecord, bufferProcs, 192, 224);
PS_ASSERT_OFFSET(FilterRecord, handleProcs, 208, 256);
PS_ASSERT_OFFSET(FilterRecord, filterCase, 216, 268);
PS_ASSERT_OFFSET(FilterRecord, advanceState, 224, 280);
PS_ASSERT_OFFSET(FilterRecord, samplingSupport, 244, 308);
PS_ASSERT_OFFSET(FilterRecord, inputRate, 248, 312);
PS_ASSERT_OFFSET(FilterRecord, maskRate, 252, 316);
PS_ASSERT_OFFSET(FilterRecord, colorServices, 256, 320);
PS_ASSERT_OFFSET(FilterRecord, inLayerPlanes, 260, 328);
PS_ASSERT_OFFSET(FilterRecord, inColumnBytes, 300, 368);
PS_ASSERT_OFFSET(FilterRecord, imageServicesProcs, 316, 384);
PS_ASSERT_OFFSET(FilterRecord, maskTileOrigin, 352, 428);
PS_ASSERT_OFFSET(FilterRecord, descriptorParameters, 356, 432);
PS_ASSERT_OFFSET(FilterRecord, errorString, 360, 440);
PS_ASSERT_OFFSET(FilterRecord, documentInfo, 368, 456);
PS_ASSERT_OFFSET(FilterRecord, sSPBasic, 372, 464);
PS_ASSERT_OFFSET(FilterRecord, depth, 380, 480);
static_assert(sizeof(FilterRecord) == (sizeof(void*) == 8 ? 544 : 452), "FilterRecord is the 4.0 record");
PS_ASSERT_OFFSET(HandleProcs, newProc, 4, 8);
PS_ASSERT_OFFSET(HandleProcs, lockProc, 20, 40);
PS_ASSERT_OFFSET(HandleProcs, unlockProc, 24, 48);
static_assert(sizeof(HandleProcs) == (sizeof(void*) == 8 ? 72 : 36), "HandleProcs");
PS_ASSERT_OFFSET(ColorServicesInfo, reservedSourceSpaceInfo, 12, 16);
PS_ASSERT_OFFSET(ColorServicesInfo, colorComponents, 20, 32);
PS_ASSERT_OFFSET(ColorServicesInfo, selectorParameter, 32, 48);
static_assert(sizeof(ColorServicesInfo) == (sizeof(void*) == 8 ? 56 : 36), "ColorServicesInfo");
static_assert(sizeof(PlatformData) == sizeof(void*), "PlatformData");
static_assert(sizeof(AboutRecord) == (sizeof(void*) == 8 ? 272 : 256), "AboutRecord");
