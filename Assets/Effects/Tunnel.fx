// The tube, seen from inside: a triangle list along z with its normals pointing at the axis.
// COLOR0's grey is round(145 x radius) / 255, so it tells where the wall bulges; TEXCOORD0 runs
// around (u) and along (v) the tube. The wall is a dark rippled surface lit by a lamp at the
// camera, with the liquid of TX0 (rgb colour, alpha height, from TunnelWater.fx) laid over it
// and bumping it.
//   SCROLLUV      the texture's scroll
//   FOGFADE       the distance fog's strength: 0 none, 1 the far end of the tube fully fogged
//   FOGFADEWATER  how strongly the liquid shows, 0..1
//   FOGCOLOR      the fog's colour
//   CONTRAST      the curve y -> c.x y^3 + c.y y^2 + c.z y per channel
//   FADE          the fade-in from black, 0..1
// techniqueTunnel2 is the same wall turned glassy: a clearer, brighter liquid with sharper,
// stronger highlights and a bright rim where the wall turns away from the camera.
#include "shared.fxh"

float2 ScrollUv : SCROLLUV = {0, 0};
float FogFade : FOGFADE = 0;
float FogFadeWater : FOGFADEWATER = 1;
float3 FogColor : FOGCOLOR = {0, 0, 0};
float4 Contrast : CONTRAST = {-2, 3, 0, 0};
float Fade : FADE = 1;

texture Tx0 : TX0;

sampler2D WallS = sampler_state {
    Texture = <Tx0>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap;
};

// The view depths where the fog begins and where it is whole: the tube's far end lies about
// 9.3 in front of the camera.
const float kFogNear = 1.0;
const float kFogFar = 9.0;
// The grey of an unrippled wall, radius 1.
const float kRadiusGrey = 145.0 / 255.0;
const vec3 kWall = vec3(0.16, 0.2, 0.26);

struct WallLook {
    float liquid;    // how bright the liquid shows
    float relief;    // how tall a liquid height of 1 stands on the wall, in world units
    float shine;     // the highlight's strength
    float sharpness; // its exponent
    float rim;       // the glassy rim's strength
};

vec3 EyeOf(mat4 viewProj) {
    vec4 eye = inverse(viewProj) * vec4(0.0, 0.0, 1.0, 0.0);
    return eye.xyz / eye.w;
}

vec3 ContrastCurve(vec3 y, vec4 k) {
    return ((k.x * y + k.y) * y + k.z) * y;
}

// How a pixel's world position and texture coordinate change to its neighbours; the fragment
// functions measure it, since the helpers are compiled into the vertex stage too.
struct Footprint {
    vec3 dpdx;
    vec3 dpdy;
    vec2 duvdx;
    vec2 duvdy;
};

// The wall normal tilted by the liquid's height, from the height's change across the pixel:
// the surface gradient needs no tangent frame, so it holds however the mesh lays out u and v.
vec3 BumpedNormal(vec3 normal, Footprint f, vec2 uv, float height, float amount) {
    float dhdx = texture(WallS, uv + f.duvdx).a - height;
    float dhdy = texture(WallS, uv + f.duvdy).a - height;
    vec3 r1 = cross(f.dpdy, normal);
    vec3 r2 = cross(normal, f.dpdx);
    float det = dot(f.dpdx, r1);
    vec3 gradient = sign(det) * (dhdx * r1 + dhdy * r2);
    return normalize(abs(det) * normal - amount * gradient);
}

vec3 TunnelColour(vec2 uv, float grey, vec3 normal, vec3 world, vec3 eye, float depth,
                  Footprint footprint, WallLook look) {
    vec2 at = uv + ScrollUv;
    vec4 wall = texture(WallS, at);
    vec3 n = normalize(normal);
    n = BumpedNormal(n, footprint, at, wall.a, look.relief * FogFadeWater);

    vec3 toEye = eye - world;
    float range = length(toEye);
    vec3 view = toEye / range;
    float facing = max(dot(n, view), 0.0);
    float lamp = 1.0 / (1.0 + 0.06 * range * range);

    // Ripples that bulge toward the axis catch less of the lamp than the grooves between them.
    float bulge = clamp(1.0 + (grey / kRadiusGrey - 1.0) * 5.0, 0.4, 1.6);
    vec3 bare = kWall * (0.3 + 0.7 * facing) * bulge;
    vec3 liquid = wall.rgb * look.liquid * (0.55 + 0.45 * facing);
    vec3 surface = mix(bare, liquid, clamp(FogFadeWater, 0.0, 1.0));

    float highlight = pow(facing, look.sharpness) * look.shine;
    float rim = pow(1.0 - facing, 3.0) * look.rim;
    vec3 lit = (surface + vec3(0.9, 0.95, 1.0) * highlight) * lamp +
               vec3(0.45, 0.7, 1.0) * rim * lamp * FogFadeWater;

    float fog = clamp(FogFade, 0.0, 1.0) * smoothstep(kFogNear, kFogFar, depth);
    vec3 fogged = mix(clamp(lit, 0.0, 1.0), FogColor, fog);
    return ContrastCurve(clamp(fogged, 0.0, 1.0), Contrast) * clamp(Fade, 0.0, 1.0);
}

vertex TunnelVS(float3 pos : POSITION, float4 colour : COLOR0, float2 uv : TEXCOORD0,
                float3 normal : NORMAL, out float4 position : POSITION,
                out float2 vUv : TEXCOORD0, out float3 vNormal : TEXCOORD1,
                out float3 vWorld : TEXCOORD2, out float3 vEye : TEXCOORD3,
                out float2 vGreyDepth : TEXCOORD4) {
    position = ViewProj * vec4(pos, 1.0);
    vUv = uv;
    vNormal = normal;
    vWorld = pos;
    vEye = EyeOf(ViewProj);
    vGreyDepth = vec2(colour.r, position.w);
}

fragment TunnelPS(float2 vUv : TEXCOORD0, float3 vNormal : TEXCOORD1, float3 vWorld : TEXCOORD2,
                  float3 vEye : TEXCOORD3, float2 vGreyDepth : TEXCOORD4,
                  out float4 colour : COLOR0) {
    WallLook look = WallLook(1.0, 0.04, 0.35, 12.0, 0.0);
    Footprint footprint = Footprint(dFdx(vWorld), dFdy(vWorld), dFdx(vUv), dFdy(vUv));
    colour = vec4(TunnelColour(vUv, vGreyDepth.x, vNormal, vWorld, vEye, vGreyDepth.y,
                               footprint, look),
                  1.0);
}

fragment Tunnel2PS(float2 vUv : TEXCOORD0, float3 vNormal : TEXCOORD1, float3 vWorld : TEXCOORD2,
                   float3 vEye : TEXCOORD3, float2 vGreyDepth : TEXCOORD4,
                   out float4 colour : COLOR0) {
    WallLook look = WallLook(1.35, 0.07, 0.9, 40.0, 0.5);
    Footprint footprint = Footprint(dFdx(vWorld), dFdy(vWorld), dFdx(vUv), dFdy(vUv));
    colour = vec4(TunnelColour(vUv, vGreyDepth.x, vNormal, vWorld, vEye, vGreyDepth.y,
                               footprint, look),
                  1.0);
}

technique techniqueTunnel {
    pass P0 {
        ZEnable = true; ZWriteEnable = true; ZFunc = LessEqual; CullMode = None;
        AlphaBlendEnable = false;
        VertexShader = TunnelVS; PixelShader = TunnelPS;
    }
}
technique techniqueTunnel2 {
    pass P0 {
        ZEnable = true; ZWriteEnable = true; ZFunc = LessEqual; CullMode = None;
        AlphaBlendEnable = false;
        VertexShader = TunnelVS; PixelShader = Tunnel2PS;
    }
}
