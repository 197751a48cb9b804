// Constants of the fast elementary functions, derived once by multi-precision arithmetic
// (ExactMath::Split*) and checked against it by the tests.
#pragma once

namespace PortableMathTables {

// pi/2 in three truncated pieces of 33, 53 and 53 bits: k * piece 0 is exact for k < 2^20.
constexpr int kHalfPiBits[3] = {33, 53, 53};
constexpr double kHalfPi[3] = {0x1.921fb544p+0, 0x1.0b4611a626331p-34, 0x1.1701b839a252p-88};

// ln 2 in pieces of 42, 53 and 53 bits: k * piece 0 is exact for |k| < 2^11.
constexpr int kLn2Bits[3] = {42, 53, 53};
constexpr double kLn2[3] = {0x1.62e42fefa38p-1, 0x1.ef35793c7673p-45, 0x1.f97b57a079a19p-103};

// ln(j / 64) for j = 48 .. 96 as the nearest double and the nearest double to the rest.
constexpr int kLogTableFirst = 48;
constexpr int kLogTableLast = 96;
constexpr double kLogTable[kLogTableLast - kLogTableFirst + 1][2] = {
    {-0x1.269621134db92p-2, -0x1.e0efadd9db02bp-56},  // j = 48
    {-0x1.1178e8227e47cp-2, 0x1.0e63a5f01c691p-57},   // j = 49
    {-0x1.f991c6cb3b379p-3, -0x1.f665066f980a2p-57},  // j = 50
    {-0x1.d1037f2655e7bp-3, -0x1.60629242471a2p-57},  // j = 51
    {-0x1.a93ed3c8ad9e3p-3, -0x1.bcafa9de97203p-57},  // j = 52
    {-0x1.823c16551a3c2p-3, 0x1.1232ce70be781p-57},   // j = 53
    {-0x1.5bf406b543db2p-3, 0x1.1f5b44c0df7e7p-61},   // j = 54
    {-0x1.365fcb0159016p-3, -0x1.7d411a5b944adp-58},  // j = 55
    {-0x1.1178e8227e47cp-3, 0x1.0e63a5f01c691p-58},   // j = 56
    {-0x1.da727638446a2p-4, -0x1.401fa71733019p-58},  // j = 57
    {-0x1.9335e5d594989p-4, 0x1.478a85704ccb7p-58},   // j = 58
    {-0x1.4d3115d207eacp-4, -0x1.769f42c7842ccp-58},  // j = 59
    {-0x1.08598b59e3a07p-4, 0x1.dd7009902bf32p-58},   // j = 60
    {-0x1.894aa149fb343p-5, -0x1.a8be97660a23dp-60},  // j = 61
    {-0x1.0415d89e74444p-5, -0x1.c05cf1d753622p-59},  // j = 62
    {-0x1.0205658935847p-6, -0x1.27c8e8416e71fp-60},  // j = 63
    {0x0p+0, 0x0p+0},                                 // j = 64
    {0x1.fc0a8b0fc03e4p-7, -0x1.83092c59642a1p-62},   // j = 65
    {0x1.f829b0e7833p-6, 0x1.33e3f04f1ef23p-60},      // j = 66
    {0x1.77458f632dcfcp-5, 0x1.18d3ca87b9296p-59},    // j = 67
    {0x1.f0a30c01162a6p-5, 0x1.85f325c5bbacdp-59},    // j = 68
    {0x1.341d7961bd1d1p-4, -0x1.b599f227becbbp-58},   // j = 69
    {0x1.6f0d28ae56b4cp-4, -0x1.906d99184b992p-58},   // j = 70
    {0x1.a926d3a4ad563p-4, 0x1.942f48aa70ea9p-58},    // j = 71
    {0x1.e27076e2af2e6p-4, -0x1.61578001e0162p-60},   // j = 72
    {0x1.0d77e7cd08e59p-3, 0x1.9a5dc5e9030acp-57},    // j = 73
    {0x1.29552f81ff523p-3, 0x1.301771c407dbfp-57},    // j = 74
    {0x1.44d2b6ccb7d1ep-3, 0x1.9f4f6543e1f88p-57},    // j = 75
    {0x1.5ff3070a793d4p-3, -0x1.bc60efafc6f6ep-58},   // j = 76
    {0x1.7ab890210d909p-3, 0x1.be36b2d6a0608p-59},    // j = 77
    {0x1.9525a9cf456b4p-3, 0x1.d904c1d4e2e26p-57},    // j = 78
    {0x1.af3c94e80bff3p-3, -0x1.398cff3641985p-58},   // j = 79
    {0x1.c8ff7c79a9a22p-3, -0x1.4f689f8434012p-57},   // j = 80
    {0x1.e27076e2af2e6p-3, -0x1.61578001e0162p-59},   // j = 81
    {0x1.fb9186d5e3e2bp-3, -0x1.caaae64f21acbp-57},   // j = 82
    {0x1.0a324e27390e3p-2, 0x1.7dcfde8061c03p-56},    // j = 83
    {0x1.1675cababa60ep-2, 0x1.ce63eab883717p-61},    // j = 84
    {0x1.22941fbcf7966p-2, -0x1.76f5eb09628afp-56},   // j = 85
    {0x1.2e8e2bae11d31p-2, -0x1.8f4cdb95ebdf9p-56},   // j = 86
    {0x1.3a64c556945eap-2, -0x1.c68651945f97cp-57},   // j = 87
    {0x1.4618bc21c5ec2p-2, 0x1.f42decdeccf1dp-56},    // j = 88
    {0x1.51aad872df82dp-2, 0x1.3927ac19f55e3p-59},    // j = 89
    {0x1.5d1bdbf5809cap-2, 0x1.4236383dc7fe1p-56},    // j = 90
    {0x1.686c81e9b14afp-2, -0x1.ddea0f7f58e3dp-57},   // j = 91
    {0x1.739d7f6bbd007p-2, -0x1.8c76ceb014b04p-56},   // j = 92
    {0x1.7eaf83b82afc3p-2, 0x1.92ce979ed295p-56},     // j = 93
    {0x1.89a3386c1425bp-2, -0x1.29639dfbbf0fbp-56},   // j = 94
    {0x1.947941c2116fbp-2, -0x1.16cc8bae0bbe4p-56},   // j = 95
    {0x1.9f323ecbf984cp-2, -0x1.a92e513217f5cp-59},   // j = 96
};

}  // namespace PortableMathTables
