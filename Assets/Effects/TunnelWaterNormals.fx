// The tunnel's liquid height field and its normal map, drawn on a quad that fills its 512 x 512
// target through VIEWPROJ, texture coordinates (0, 0) at the top left. Everything tiles in u
// and v: the noise is read at whole multiples of its period and every read wraps, so the
// texture closes around the tube without a seam.
//
// Height targets hold a height of 0..1 as red + green / 255 (red coarse, green the fraction
// between two red steps, blue 0, alpha 1); the decoding is linear in the channels, so the
// blur's weighted sums stay exact and it keeps sixteen bits of the result.
//   techniqueTunnelWaterInitialComp  the animated height from the noise volume and TIME;
//                                    SCALE (1 by default) the amplitude of its waves
//   techniqueTunnelBlurVertical      TX0 blurred along v; techniqueTunnelBlurHorizontal: TX1
//                                    along u
//   techniqueTunnelGenerateNormals   TX0's normal as rgb = n * 0.5 + 0.5, alpha 1: x toward
//                                    +u, y toward -v, z out of the surface
#include "shared.fxh"

float Scale : SCALE = 1;

texture Tx0 : TX0;
texture Tx1 : TX1;

sampler3D NoiseS = sampler_state {
    Texture = <NoiseTex>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap; AddressW = Wrap;
};
sampler2D Height0S = sampler_state {
    Texture = <Tx0>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap;
};
sampler2D Height1S = sampler_state {
    Texture = <Tx1>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap;
};

const int kBlurRadius = 10;
const float kBlurSigma = 4.5;
// How tall a height of 1 stands, in texture widths.
const float kRelief = 0.035;

float DecodeHeight(vec4 texel) {
    return texel.r + texel.g * (1.0 / 255.0);
}

vec4 EncodeHeight(float height) {
    float scaled = clamp(height, 0.0, 1.0) * 255.0;
    float coarse = floor(scaled);
    return vec4(coarse / 255.0, scaled - coarse, 0.0, 1.0);
}

// The noise with its finest octave averaged away: four reads a texel and a half apart, at the
// corners of a tetrahedron, so the rounded ridges come out smooth rather than grainy.
float SmoothNoise(vec3 at) {
    const float d = 1.5 / 128.0;
    return 0.25 * (texture(NoiseS, at + vec3(d, d, d)).r + texture(NoiseS, at + vec3(d, -d, -d)).r +
                   texture(NoiseS, at + vec3(-d, d, -d)).r +
                   texture(NoiseS, at + vec3(-d, -d, d)).r);
}

vec4 BlurAlong(sampler2D heights, vec2 uv, vec2 texel) {
    float sum = 0.0;
    float weights = 0.0;
    for (int i = -kBlurRadius; i <= kBlurRadius; ++i) {
        float w = exp(-float(i * i) / (2.0 * kBlurSigma * kBlurSigma));
        sum += w * DecodeHeight(texture(heights, uv + float(i) * texel));
        weights += w;
    }
    return EncodeHeight(sum / weights);
}

vertex TunnelQuadVS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float4 position : POSITION,
                    out float2 vUv : TEXCOORD0) {
    position = ViewProj * vec4(pos, 1.0);
    vUv = uv;
}

// Two layers of swells drifting against each other; where they meet, the liquid gathers into
// rounded ridges, a network like a caustic's, rocked by a slow third layer. The period
// multiples are whole numbers, so the field tiles.
fragment InitialCompPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    float t = Time * 0.03;
    float drift = SmoothNoise(vec3(vUv + vec2(t, 0.0), 0.2 + t * 0.5));
    float against = SmoothNoise(vec3(vUv + vec2(0.0, -t * 1.3), 0.55 - t * 0.4));
    float swell = SmoothNoise(vec3(vUv + vec2(-t * 0.7, t), 0.8 + t));
    float ridges = exp(-abs(drift - against) * 9.0);
    float waves = 0.6 * ridges + 0.5 * (swell - 0.5);
    colour = EncodeHeight(0.3 + 0.5 * Scale * waves);
}

fragment BlurVerticalPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = BlurAlong(Height0S, vUv, vec2(0.0, 1.0 / float(textureSize(Height0S, 0).y)));
}

fragment BlurHorizontalPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = BlurAlong(Height1S, vUv, vec2(1.0 / float(textureSize(Height1S, 0).x), 0.0));
}

fragment GenerateNormalsPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec2 size = vec2(textureSize(Height0S, 0));
    vec2 texel = 1.0 / size;
    float right = DecodeHeight(texture(Height0S, vUv + vec2(texel.x, 0.0)));
    float left = DecodeHeight(texture(Height0S, vUv - vec2(texel.x, 0.0)));
    float above = DecodeHeight(texture(Height0S, vUv - vec2(0.0, texel.y)));
    float below = DecodeHeight(texture(Height0S, vUv + vec2(0.0, texel.y)));
    vec2 slope = vec2(right - left, above - below) * 0.5 * size * kRelief;
    colour = vec4(normalize(vec3(-slope, 1.0)) * 0.5 + 0.5, 1.0);
}

technique techniqueTunnelWaterInitialComp {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = TunnelQuadVS; PixelShader = InitialCompPS;
    }
}
technique techniqueTunnelBlurVertical {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = TunnelQuadVS; PixelShader = BlurVerticalPS;
    }
}
technique techniqueTunnelBlurHorizontal {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = TunnelQuadVS; PixelShader = BlurHorizontalPS;
    }
}
technique techniqueTunnelGenerateNormals {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = TunnelQuadVS; PixelShader = GenerateNormalsPS;
    }
}
