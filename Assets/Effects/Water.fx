// The lit water: one world-space quad in the z = 0 plane, facing +z, texture coordinates (0, 0)
// at its top left. TX0 is the blurred height (red + green / 255, as WaterNormals.fx writes it),
// TX1 its normal map (rgb = n * 0.5 + 0.5; x right, y up, z out, which on this quad are the
// world's axes). A dark deep liquid, seen through a surface that bends it, under a glossy
// reflection of a soft studio sky and two highlights; the crests of the strokes thicken into a
// brighter tint.
//   FADE1    over-brightness of the fade-in (1.5 falling to 1)
//   FADE2    WaterBlend's alpha (1 falling to 0 at the end)
//   COLORS   per-channel tint and flash
//   CONTRAST the curve y -> c.x y^3 + c.y y^2 + c.z y per channel; c.w the shimmer, 0..0.04
#include "shared.fxh"

float Fade1 : FADE1 = 1;
float Fade2 : FADE2 = 1;
float3 Colors : COLORS = {1, 1.1, 1.3};
float4 Contrast : CONTRAST = {0, 0, 1, 0};

texture Tx0 : TX0;
texture Tx1 : TX1;

sampler2D HeightS = sampler_state {
    Texture = <Tx0>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
};
sampler2D NormalS = sampler_state {
    Texture = <Tx1>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
};
sampler3D NoiseS = sampler_state {
    Texture = <NoiseTex>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap; AddressW = Wrap;
};

const vec3 kAbyss = vec3(0.05, 0.1, 0.17);
const vec3 kDeep = vec3(0.1, 0.19, 0.3);
const vec3 kCrest = vec3(0.17, 0.4, 0.5);
const vec3 kKeyLight = vec3(-0.3, 0.9, 0.3);
const vec3 kRimLight = vec3(0.75, -0.45, 0.35);
// How far the surface's tilt bends the view of the deep, in texture coordinates.
const float kRefraction = 0.05;
// Reflectance of the liquid seen straight on.
const float kFresnelBase = 0.05;

float DecodeHeight(vec4 texel) {
    return texel.r + texel.g * (1.0 / 255.0);
}

// The camera's position, from the view-projection alone: the point it maps to clip w = 0 with
// x = y = 0, the centre of projection.
vec3 EyeOf(mat4 viewProj) {
    vec4 eye = inverse(viewProj) * vec4(0.0, 0.0, 1.0, 0.0);
    return eye.xyz / eye.w;
}

vec3 ContrastCurve(vec3 y, vec4 k) {
    return ((k.x * y + k.y) * y + k.z) * y;
}

// The studio the surface mirrors: dark straight back toward the camera, so that flat liquid
// stays deep, a glow all round toward grazing directions, which rims every slope whichever way
// it faces, a pale softbox high on the left and a cool strip light low on the right.
vec3 Studio(vec3 direction) {
    vec3 glow = vec3(0.22, 0.36, 0.5) * smoothstep(0.85, 0.3, direction.z);
    vec3 sky = vec3(0.02, 0.03, 0.05) + vec3(0.05, 0.08, 0.12) * smoothstep(0.0, 0.9, direction.y);
    float softbox = smoothstep(0.86, 0.96, dot(direction, normalize(kKeyLight)));
    float strip = smoothstep(0.9, 0.98, dot(direction, normalize(kRimLight)));
    return sky + glow + vec3(0.85, 0.92, 1.0) * softbox * 1.2 + vec3(0.3, 0.55, 0.8) * strip * 0.8;
}

vec3 DeepColour(vec2 uv, float height) {
    // Slow caustic veins under the surface: thin lines where two drifting layers cross.
    vec3 at = vec3(uv * vec2(1.15, 1.0), Time * 0.02);
    float a = texture(NoiseS, at).r;
    float b = texture(NoiseS, at * 1.7 + vec3(0.3, 0.6, -Time * 0.013)).r;
    float caustic = pow(max(1.0 - abs(a - b) * 5.0, 0.0), 2.0);
    vec3 deep = mix(kAbyss, kDeep, smoothstep(0.0, 0.5, height));
    deep = mix(deep, kCrest, smoothstep(0.45, 0.95, height));
    return deep + vec3(0.012, 0.04, 0.05) * caustic;
}

vec3 WaterColour(vec2 uv, vec3 world, vec3 eye) {
    vec3 normal = normalize(texture(NormalS, uv).xyz * 2.0 - 1.0);
    vec3 view = normalize(eye - world);

    // The deep, read where the tilted surface bends the view, shivering with the shimmer.
    vec2 shiver = vec2(texture(NoiseS, vec3(uv * 3.0, Time * 0.4)).r,
                       texture(NoiseS, vec3(uv * 3.0 + 0.5, Time * 0.4)).r) - 0.5;
    vec2 bent = uv - normal.xy * (kRefraction + Contrast.w) + shiver * Contrast.w;
    float bentHeight = DecodeHeight(texture(HeightS, bent));
    vec3 key = normalize(kKeyLight);
    vec3 rim = normalize(kRimLight);
    // The key light grazes the surface: flats stay dim, slopes that face it brighten.
    float diffuse = max(dot(normal, key), 0.0);
    vec3 deep = DeepColour(bent, bentHeight) * (0.5 + 1.2 * diffuse);

    float facing = clamp(dot(normal, view), 0.0, 1.0);
    float fresnel = kFresnelBase + (1.0 - kFresnelBase) * pow(1.0 - facing, 5.0);
    vec3 reflected = Studio(reflect(-view, normal));

    float glint = pow(max(dot(normal, normalize(key + view)), 0.0), 220.0) * 3.0;
    float sheen = pow(max(dot(normal, normalize(key + view)), 0.0), 24.0) * 0.18;
    float rimGlint = pow(max(dot(normal, normalize(rim + view)), 0.0), 90.0) * 0.8;
    vec3 specular = vec3(1.0, 0.97, 0.92) * (glint + sheen) + vec3(0.5, 0.75, 1.0) * rimGlint;

    // Clamped to the curve's domain before grading. The camera looks up far enough to see the
    // surface's upper edge, which dims into the black behind it like a far shore.
    vec3 lit = mix(deep, reflected, fresnel) + specular;
    float distance = smoothstep(0.0, 0.12, uv.y);
    return ContrastCurve(clamp(lit * Colors * Fade1, 0.0, 1.0), Contrast) * distance;
}

vertex WaterVS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float4 position : POSITION,
               out float2 vUv : TEXCOORD0, out float3 vWorld : TEXCOORD1,
               out float3 vEye : TEXCOORD2) {
    position = ViewProj * vec4(pos, 1.0);
    vUv = uv;
    vWorld = pos;
    vEye = EyeOf(ViewProj);
}

fragment WaterOpaquePS(float2 vUv : TEXCOORD0, float3 vWorld : TEXCOORD1,
                       float3 vEye : TEXCOORD2, out float4 colour : COLOR0) {
    colour = vec4(WaterColour(vUv, vWorld, vEye), 1.0);
}

fragment WaterBlendPS(float2 vUv : TEXCOORD0, float3 vWorld : TEXCOORD1, float3 vEye : TEXCOORD2,
                      out float4 colour : COLOR0) {
    colour = vec4(WaterColour(vUv, vWorld, vEye), clamp(Fade2, 0.0, 1.0));
}

technique WaterOpaque {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = WaterVS; PixelShader = WaterOpaquePS;
    }
}
technique WaterBlend {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None;
        AlphaBlendEnable = true; SrcBlend = SrcAlpha; DestBlend = InvSrcAlpha; BlendOp = Add;
        VertexShader = WaterVS; PixelShader = WaterBlendPS;
    }
}
