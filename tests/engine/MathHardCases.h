// Arguments whose value lies within 2^-11 ulp of a midpoint between two doubles, or that
// the C library of the development machine rounds to the wrong neighbour, with their
// correctly rounded results. Found by engine_math_campaign; each result was confirmed
// separately at 300 bits. Windows builds have no trustworthy long double reference, so
// this table carries the correct-rounding check to them.
#pragma once

namespace MathTest {

struct HardCase {
    char function;  // 's' sin, 'c' cos, 'l' log, 'p' pow
    double x;
    double y;  // exponent of pow
    double expected;
};

constexpr HardCase kHardCases[] = {
    {'s', 0x1.4be9fb8452c27p+2, 0.0, -0x1.c79b300a909ebp-1},                   // near a midpoint
    {'s', 0x1.504705f3831ebp+0, 0.0, 0x1.ef281977f487dp-1},                    // near a midpoint
    {'s', 0x1.5d050c7542aa5p+1, 0.0, 0x1.9cc017ce4e34p-2},                     // near a midpoint
    {'s', 0x1.3eac995ba9081p-2, 0.0, 0x1.398e21a685a89p-2},                    // near a midpoint
    {'s', 0x1.81d3db124361p+2, 0.0, -0x1.01eeac233cff8p-2},                    // near a midpoint
    {'s', 0x1.d46018257926p+2, 0.0, 0x1.b84be8f9845e8p-1},                     // near a midpoint
    {'s', 0x1.9c3076144bd9cp-1, 0.0, 0x1.7115e9bfd161ep-1},                    // near a midpoint
    {'s', 0x1.2f834e4ae2d13p+0, 0.0, 0x1.da7b8686d89f3p-1},                    // near a midpoint
    {'s', -0x1.7dfdbfa3d2d8ep+2, 0.0, 0x1.3cd6064624319p-2},                   // C library differs
    {'s', 0x1.1dcd3a74a96aap+3, 0.0, 0x1.e50eec520bd35p-2},                    // C library differs
    {'s', 0x1.c542602d253c1p+2, 0.0, 0x1.6eed1a99eeb77p-1},                    // C library differs
    {'s', 0x1.21f391a0b7fffp+3, 0.0, 0x1.6c5d147ceb187p-2},                    // C library differs
    {'s', 0x1.b8bc6ab549966p+1, 0.0, -0x1.303bcebbf8009p-2},                   // C library differs
    {'s', -0x1.53d5da4ab72a5p-3, 0.0, -0x1.5247295bc8567p-3},                  // C library differs
    {'s', -0x1.00c71380b15c8p+2, 0.0, 0x1.87854482ef739p-1},                   // C library differs
    {'c', 0x1.c241ec1792b75p-2, 0.0, 0x1.cf4c18c32049cp-1},                    // near a midpoint
    {'c', -0x1.561ce46eec1bfp+2, 0.0, 0x1.2eeeea747c128p-1},                   // near a midpoint
    {'c', 0x1.d11467be92f46p+2, 0.0, 0x1.1ba06b71e9dbdp-1},                    // near a midpoint
    {'c', 0x1.76bfd8f56d8b2p+1, 0.0, -0x1.f455f6c616bfp-1},                    // near a midpoint
    {'c', -0x1.2b27a6abb278bp+2, 0.0, -0x1.37fd51c4a063cp-5},                  // near a midpoint
    {'c', 0x1.4902cbdaa2a0ep+1, 0.0, -0x1.aeb90e40b1369p-1},                   // near a midpoint
    {'c', -0x1.8ac36b21c53c5p+1, 0.0, -0x1.ff2759fc169a1p-1},                  // near a midpoint
    {'c', 0x1.4617a9ac23a28p+3, 0.0, -0x1.712196b0039b5p-1},                   // near a midpoint
    {'c', -0x1.39e722dafad49p+2, 0.0, 0x1.877eb64ecd545p-3},                   // C library differs
    {'c', -0x1.11d051990d442p+1, 0.0, -0x1.139714bad2b19p-1},                  // C library differs
    {'c', 0x1.1706d4a4574adp+2, 0.0, -0x1.619fd48c3895dp-2},                   // C library differs
    {'c', -0x1.438758ae17da3p+1, 0.0, -0x1.a279d534ca5c3p-1},                  // C library differs
    {'c', 0x1.d9de2b66d68bep+2, 0.0, 0x1.bd37900eb20b5p-2},                    // C library differs
    {'c', 0x1.e951e70c2ca81p+2, 0.0, 0x1.a7a2c1513eb5bp-3},                    // C library differs
    {'c', 0x1.78799d89d2a15p+3, 0.0, 0x1.64273f95be44fp-1},                    // C library differs
    {'c', -0x1.3e3232f111302p-1, 0.0, 0x1.a04418a1923fbp-1},                   // C library differs
    {'s', 0x1.3771f54fc67ddp+2, 0.0, -0x1.f9f1fe6eed21dp-1},                   // near a midpoint
    {'s', 0x1.2b4a85d6f249cp+0, 0.0, 0x1.d73ed9bc2f671p-1},                    // near a midpoint
    {'s', 0x1.336aabbfba5bp-2, 0.0, 0x1.2ed1d7376fa37p-2},                     // near a midpoint
    {'s', -0x1.8926a854b574p-4, 0.0, -0x1.888c2fc1d056ap-4},                   // near a midpoint
    {'s', -0x1.1aa3d22a2d6dap+1, 0.0, -0x1.9b7d109a679c8p-1},                  // near a midpoint
    {'s', 0x1.55ffaad72343bp+2, 0.0, -0x1.9d4e27e361cd8p-1},                   // near a midpoint
    {'s', 0x1.6e3d94452dd08p+3, 0.0, -0x1.cd2728254b824p-1},                   // near a midpoint
    {'s', 0x1.987bffc399881p+2, 0.0, 0x1.9667294dfcd22p-4},                    // near a midpoint
    {'s', 0x1.8fe2a392e3bf7p+2, 0.0, -0x1.1e79e3f808a41p-5},                   // C library differs
    {'s', -0x1.87fd29dd62cd5p+2, 0.0, 0x1.42f6d9919d235p-3},                   // C library differs
    {'s', 0x1.a011f4a7c0c96p+1, 0.0, -0x1.bd6603648549bp-4},                   // C library differs
    {'s', -0x1.0a5d32e9db09p-2, 0.0, -0x1.075ed0aea2f95p-2},                   // C library differs
    {'s', -0x1.d17c0afe552fdp+1, 0.0, 0x1.e66feda0b4467p-2},                   // C library differs
    {'s', 0x1.a54aae1fdee1ep+1, 0.0, -0x1.318a72f12a991p-3},                   // C library differs
    {'s', 0x1.b385958164c56p+1, 0.0, -0x1.08298b3e8babfp-2},                   // C library differs
    {'c', -0x1.3baf1efe7bcf2p+2, 0.0, 0x1.bf487c4ac782ep-3},                   // near a midpoint
    {'c', 0x1.ff87f918df7aep+1, 0.0, -0x1.501525df28e8fp-1},                   // near a midpoint
    {'c', -0x1.a311f0e32e2p+1, 0.0, -0x1.fb84faa41a1f6p-1},                    // near a midpoint
    {'c', -0x1.62aa8f223c105p+2, 0.0, 0x1.7991a3f085c6dp-1},                   // near a midpoint
    {'c', -0x1.b8b6064d72dfp-1, 0.0, 0x1.4dc06535d621fp-1},                    // near a midpoint
    {'c', 0x1.dc8ef2ea77b0cp+0, 0.0, -0x1.258f8614723d4p-2},                   // near a midpoint
    {'c', 0x1.7b6513936206ap+1, 0.0, -0x1.f7f2fd295d332p-1},                   // near a midpoint
    {'c', -0x1.dcc67f27cbb34p+0, 0.0, -0x1.26645c9de8de3p-2},                  // near a midpoint
    {'c', 0x1.08eb1951a2412p+3, 0.0, -0x1.a5f3d196d3601p-2},                   // C library differs
    {'c', 0x1.58c741b7d073ep+3, 0.0, -0x1.c16f23363d85fp-3},                   // C library differs
    {'c', 0x1.68b57ca8d5588p+3, 0.0, 0x1.179ee7e1e6199p-2},                    // C library differs
    {'c', -0x1.69fd41b9299d8p-1, 0.0, 0x1.8546fe2f9a48fp-1},                   // C library differs
    {'c', -0x1.7a6c8ee305275p+2, 0.0, 0x1.dd4b564c17bd1p-1},                   // C library differs
    {'c', 0x1.5394ad7ad28dcp+0, 0.0, 0x1.ef61d7d9226cfp-3},                    // C library differs
    {'c', -0x1.4052fcc1feef4p+2, 0.0, 0x1.2770a3432367bp-2},                   // C library differs
    {'c', 0x1.ec45fc9d9da09p+2, 0.0, 0x1.4ac0491fcd4c7p-3},                    // C library differs
    {'l', 0x1.02f0073e06d5bp+8, 0.0, 0x1.639f1fb2055edp+2},                    // near a midpoint
    {'l', 0x1.b1cf5d87e2f75p+8, 0.0, 0x1.84a59690d1b2cp+2},                    // near a midpoint
    {'l', 0x1.db10dca4da46ap+9, 0.0, 0x1.b6d28b7f9cd38p+2},                    // near a midpoint
    {'l', 0x1.3a93cd1222c7bp+8, 0.0, 0x1.701426ee76506p+2},                    // near a midpoint
    {'l', 0x1.1c82b706ec7c8p+9, 0.0, 0x1.9602bf6d922fcp+2},                    // near a midpoint
    {'l', 0x1.51273a8b1891ap+8, 0.0, 0x1.7483afdef1774p+2},                    // near a midpoint
    {'l', 0x1.32be68610277ap+8, 0.0, 0x1.6e76fe6b8e8edp+2},                    // near a midpoint
    {'l', 0x1.8eec13f54b6cp+5, 0.0, 0x1.f464c1702972cp+1},                     // near a midpoint
    {'l', 0x1.75d839c1d24dfp+4, 0.0, 0x1.935c361595b53p+1},                    // C library differs
    {'l', 0x1.7041ed138b34p+8, 0.0, 0x1.7a297e045fe3bp+2},                     // C library differs
    {'l', 0x1.f39f89e51c373p+9, 0.0, 0x1.ba0c4f8f8369fp+2},                    // C library differs
    {'l', 0x1.8c2c2f86423cdp+8, 0.0, 0x1.7ed6a1475f515p+2},                    // C library differs
    {'l', 0x1.bc53d567e318cp+9, 0.0, 0x1.b28a97bbb487dp+2},                    // C library differs
    {'l', 0x1.f22a9a05fce69p+7, 0.0, 0x1.61236c18bcdd3p+2},                    // C library differs
    {'l', 0x1.526b59671245cp+8, 0.0, 0x1.74c1190bad393p+2},                    // C library differs
    {'l', 0x1.6f73fabac4a21p+6, 0.0, 0x1.214c9d51866bep+2},                    // near a midpoint
    {'l', 0x1.2975d838d458p+5, 0.0, 0x1.ced3d2be92d36p+1},                     // near a midpoint
    {'l', 0x1.b76b1e440cc23p+5, 0.0, 0x1.00627a2012091p+2},                    // near a midpoint
    {'l', 0x1.86b510e31bd39p+5, 0.0, 0x1.f1baedca2d82ep+1},                    // near a midpoint
    {'l', 0x1.fbfff791a93d9p+5, 0.0, 0x1.09aaa23823c06p+2},                    // near a midpoint
    {'l', 0x1.c140813b9d967p+3, 0.0, 0x1.5228135ed049ep+1},                    // near a midpoint
    {'l', 0x1.fea34468bd9d1p+5, 0.0, 0x1.09ff7da19cdccp+2},                    // near a midpoint
    {'l', 0x1.5232e57f8d8bdp+5, 0.0, 0x1.df41b23a78059p+1},                    // near a midpoint
    {'l', 0x1.cdefbb20a18b7p+4, 0.0, 0x1.ae717ecf704fcp+1},                    // C library differs
    {'l', 0x1.7c162b509b43p+4, 0.0, 0x1.957acf9f8124bp+1},                     // C library differs
    {'l', 0x1.35cfba637d461p+5, 0.0, 0x1.d408ec43dc617p+1},                    // C library differs
    {'l', 0x1.89ddd8b907054p+6, 0.0, 0x1.25bdf0126c9ddp+2},                    // C library differs
    {'l', 0x1.27c4c6ac04e09p+6, 0.0, 0x1.1368fe07ae0cp+2},                     // C library differs
    {'l', 0x1.1e840ac646de6p+3, 0.0, 0x1.1895591eff4d5p+1},                    // C library differs
    {'l', 0x1.29cb300a7ade2p+2, 0.0, 0x1.899ac5b4178ddp+0},                    // C library differs
    {'p', 0x1.4p+3, 0x1.5f4d32481211p-3, 0x1.7bfdd561a3ep+0},                  // near a midpoint
    {'p', 0x1.4p+3, 0x1.006ba23bd6002p+0, 0x1.4136619b44374p+3},               // near a midpoint
    {'p', 0x1.4p+3, 0x1.c676089b663b8p-2, 0x1.63a5ba5900d7cp+1},               // near a midpoint
    {'p', 0x1.4p+3, 0x1.886f91075a762p+0, 0x1.10eca52df30bfp+5},               // near a midpoint
    {'p', 0x1.4p+3, -0x1.b238a38de509ep+0, 0x1.49cb59e555967p-6},              // near a midpoint
    {'p', 0x1.4p+3, -0x1.b27a37cbcfbdp-3, 0x1.3a23c18ec0e4cp-1},               // near a midpoint
    {'p', 0x1.4p+3, -0x1.1efb47efb6dp-3, 0x1.72cd59aae6263p-1},                // near a midpoint
    {'p', 0x1.4p+3, 0x1.32626fe701e28p-2, 0x1.fdd9f3f632465p+0},               // near a midpoint
    {'p', 0x1.4p+3, 0x1.b4b62eaaf40fep+0, 0x1.96704345ffad7p+5},               // C library differs
    {'p', 0x1.4p+3, 0x1.e712b17d5326cp-1, 0x1.1e1098e91e1ffp+3},               // C library differs
    {'p', 0x1.4p+3, 0x1.a1f200a80b0bap+0, 0x1.574fdb0bf0ac3p+5},               // C library differs
    {'p', 0x1.4p+3, 0x1.aa0aff55da4ap-3, 0x1.9d4d9da25e9a5p+0},                // C library differs
    {'p', 0x1.4p+3, 0x1.67c16a4089b78p-1, 0x1.42b8a0383712ap+2},               // C library differs
    {'p', 0x1.80511b51b236ep+6, -0x1.ddd4721f55ecap-1, 0x1.ce873fd124fe4p-7},  // near a midpoint
    {'p', 0x1.5393e218073ebp+4, 0x1.39b00f672cf04p-2, 0x1.4655719d6200ap+1},   // near a midpoint
    {'p', 0x1.821a4fb509001p+5, 0x1.ef552887e383p-3, 0x1.46e5b7079fbe1p+1},    // near a midpoint
    {'p', 0x1.2541bc2caa4b7p+6, -0x1.34c7977ebc534p-2, 0x1.1874fbf9a0099p-2},  // near a midpoint
    {'p', 0x1.ca4d80ca70718p+3, 0x1.6a616d10773ecp-2, 0x1.485350385748p+1},    // near a midpoint
    {'p', 0x1.df632225321e4p+3, 0x1.02f594d7fd106p-1, 0x1.f73cb51af5f29p+1},   // near a midpoint
    {'p', 0x1.62382131ca3cdp+6, -0x1.af04ab167c118p-1, 0x1.78013eb69ca09p-6},  // near a midpoint
    {'p', 0x1.95fe95af09c1dp+3, -0x1.5d4f3c9fd4028p-3, 0x1.4bf4306aa90b3p-1},  // near a midpoint
    {'p', 0x1.7e8018a9cb42fp+6, 0x1.6e3453bf2789cp-1, 0x1.a18d327b8d838p+4},   // C library differs
    {'p', 0x1.ce9723bba6374p+5, 0x1.0174858846708p-3, 0x1.aa56d945bf815p+0},   // C library differs
    {'p', 0x1.1b1e8b0316ce8p+6, -0x1.05bb0783441fp-2, 0x1.58b9082279da5p-2},   // C library differs
    {'p', 0x1.cfd5a26114b8p+5, 0x1.5d21dd3298338p-2, 0x1.fef8cf63b63edp+1},    // C library differs
    {'p', 0x1.e1c38a5d2fe43p+5, -0x1.56643cfbfb448p-3, 0x1.0210371adedd5p-1},  // C library differs
    {'p', 0x1.530bb2634e1b4p+5, 0x1.e78b086fd0a9p-2, 0x1.7cfaaf3921a18p+2},    // C library differs
};

}  // namespace MathTest
