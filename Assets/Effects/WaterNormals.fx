// The water's height field and its normal map, drawn on full-screen quads whose positions are
// clip space already, texture coordinates (0, 0) at the top left and (1, 1) at the bottom right.
//
// Height targets hold a height of 0..1 as red + green / 255: red the coarse value, green the
// fraction between two red steps, blue 0 and alpha 1. The decoding is linear in the channels,
// so additive blending, filtering and the blur's weighted sums stay exact, and the blur writes
// its result with sixteen bits of precision, which keeps the lit slopes free of terraces.
//   techniqueWaterBackground      the slowly moving liquid base: UV1..UV3 (xy) scroll three
//                                 noise layers, BEAT (0..2) swells them on the soundtrack's
//                                 hits, TIME drifts them through the noise volume.
//   techniqueWaterAddBlob         one soft round stamp per quad, added (One, One) in red only;
//                                 TEXCOORD0 is the blob-local corner, -1..1, and the stamp
//                                 falls to zero at the quad's edge; COLOR0's blue scales it.
//   techniqueWaterBlurVertical    TX0 blurred along v; techniqueWaterBlurHorizontal: TX1 along u.
//   techniqueWaterGenerateNormals the normal of TX0's height as rgb = n * 0.5 + 0.5, alpha 1:
//                                 x toward +u (right), y toward -v (up), z out of the surface.
#include "shared.fxh"

float3 Uv1 : UV1 = {0, 0, 0};
float3 Uv2 : UV2 = {0, 0, 0};
float3 Uv3 : UV3 = {0, 0, 0};
float Beat : BEAT = 0;

texture Tx0 : TX0;
texture Tx1 : TX1;

sampler3D NoiseS = sampler_state {
    Texture = <NoiseTex>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap; AddressW = Wrap;
};
sampler2D Height0S = sampler_state {
    Texture = <Tx0>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
};
sampler2D Height1S = sampler_state {
    Texture = <Tx1>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
};

// A single stamp's peak: three hundred of them overlap along the strokes, and their sum must
// stay below the top of the range.
const float kBlobPeak = 0.032;
// Gaussian blur of kBlurRadius texels each side, standard deviation kBlurSigma texels.
const int kBlurRadius = 6;
const float kBlurSigma = 2.5;
// How tall a height of 1 stands, in texture widths: sets how steeply slopes tilt the normals.
const float kRelief = 0.1;

float DecodeHeight(vec4 texel) {
    return texel.r + texel.g * (1.0 / 255.0);
}

vec4 EncodeHeight(float height) {
    float scaled = clamp(height, 0.0, 1.0) * 255.0;
    float coarse = floor(scaled);
    return vec4(coarse / 255.0, scaled - coarse, 0.0, 1.0);
}

float Noise(vec3 at) {
    return texture(NoiseS, at).r;
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

vertex QuadVS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float4 position : POSITION,
              out float2 vUv : TEXCOORD0) {
    position = vec4(pos, 1.0);
    vUv = uv;
}

vertex BlobVS(float3 pos : POSITION, float4 colour : COLOR0, float2 local : TEXCOORD0,
              out float4 position : POSITION, out float2 vLocal : TEXCOORD0,
              out float vStrength : TEXCOORD1) {
    position = vec4(pos, 1.0);
    vLocal = local;
    vStrength = colour.b;
}

// Broad swells with two finer layers riding on them, each scrolled by its own offset; the
// texture's aspect is that of the water quad, 2.3 x 2, so the swells are round on screen.
fragment BackgroundPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec2 p = vec2(vUv.x * 1.15, vUv.y);
    float t = Time * 0.01;
    float swell = Noise(vec3(p * 0.5 + Uv1.xy, t));
    float ripple = Noise(vec3(p * 1.1 + Uv2.xy, 0.37 + t * 1.7));
    float fine = Noise(vec3(p * 2.2 + Uv3.xy, 0.71 + t * 2.3));
    float amplitude = 1.0 + 0.3 * Beat;
    float height = 0.2 + amplitude * (0.22 * (swell - 0.5) + 0.09 * (ripple - 0.5) +
                                      0.025 * (fine - 0.5));
    colour = EncodeHeight(height);
}

// A raised-cosine dome: round, highest in the middle, flat where it meets the quad's edge.
fragment AddBlobPS(float2 vLocal : TEXCOORD0, float vStrength : TEXCOORD1,
                   out float4 colour : COLOR0) {
    float r = min(length(vLocal), 1.0);
    float dome = 0.5 + 0.5 * cos(3.14159265 * r);
    colour = vec4(kBlobPeak * vStrength * dome, 0.0, 0.0, 0.0);
}

fragment BlurVerticalPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = BlurAlong(Height0S, vUv, vec2(0.0, 1.0 / float(textureSize(Height0S, 0).y)));
}

fragment BlurHorizontalPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = BlurAlong(Height1S, vUv, vec2(1.0 / float(textureSize(Height1S, 0).x), 0.0));
}

// Central differences one texel each side; v grows downward, so the upward slope is the
// difference of the texel above and the one below.
fragment GenerateNormalsPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec2 size = vec2(textureSize(Height0S, 0));
    vec2 texel = 1.0 / size;
    float right = DecodeHeight(texture(Height0S, vUv + vec2(texel.x, 0.0)));
    float left = DecodeHeight(texture(Height0S, vUv - vec2(texel.x, 0.0)));
    float above = DecodeHeight(texture(Height0S, vUv - vec2(0.0, texel.y)));
    float below = DecodeHeight(texture(Height0S, vUv + vec2(0.0, texel.y)));
    vec2 slope = vec2(right - left, above - below) * 0.5 * size * kRelief;
    vec3 normal = normalize(vec3(-slope, 1.0));
    colour = vec4(normal * 0.5 + 0.5, 1.0);
}

technique techniqueWaterBackground {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = BackgroundPS;
    }
}
technique techniqueWaterAddBlob {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None;
        AlphaBlendEnable = true; SrcBlend = One; DestBlend = One; BlendOp = Add;
        VertexShader = BlobVS; PixelShader = AddBlobPS;
    }
}
technique techniqueWaterBlurVertical {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = BlurVerticalPS;
    }
}
technique techniqueWaterBlurHorizontal {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = BlurHorizontalPS;
    }
}
technique techniqueWaterGenerateNormals {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = GenerateNormalsPS;
    }
}
