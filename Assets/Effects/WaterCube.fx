// The bevelled cube that flies through the tube: polished dark metal under a glassy coat that
// mirrors the tube around it. The reflected ray is followed to the tube's wall, a cylinder of
// radius 1 about the z axis, and the wall texture (TX0) is read there by the hit's angle
// around the axis (u) and its z (v). Lit by a lamp at the camera and a cool key light.
//   WORLD     the cube's own transform (scale, rotation, position): world = WORLD * position
//   FOG       how far the fog covers it, 0..1; FOGCOLOR the fog's colour
#include "shared.fxh"

float4x4 World : WORLD;
float Fog : FOG = 0;
float3 FogColor : FOGCOLOR = {0, 0, 0};

texture Tx0 : TX0;

sampler2D WallS = sampler_state {
    Texture = <Tx0>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap;
};

const float kTubeRadius = 1.0;
// The wall texture's repeats once around the tube and per unit of z, as the tube's texture
// coordinates lay it.
const float kAroundTube = 3.0;
const float kAlongTube = 0.6;
// The farthest the reflected ray travels: a ray nearly along the axis reads the wall there.
const float kFarthest = 12.0;
const vec3 kMetal = vec3(0.05, 0.06, 0.08);
const vec3 kKeyLight = vec3(0.4, 0.7, 0.6);

// Where a ray from inside the tube meets its wall: the far root of |p.xy + t d.xy| = radius.
vec3 TubeHit(vec3 origin, vec3 direction) {
    float a = dot(direction.xy, direction.xy);
    float b = dot(origin.xy, direction.xy);
    float c = dot(origin.xy, origin.xy) - kTubeRadius * kTubeRadius;
    float t = a > 1e-6 ? (-b + sqrt(max(b * b - a * c, 0.0))) / a : kFarthest;
    return origin + direction * min(t, kFarthest);
}

vec3 WallSeen(vec3 origin, vec3 direction) {
    vec3 hit = TubeHit(origin, direction);
    vec2 uv = vec2(atan(hit.y, hit.x) * (kAroundTube * 0.5 / 3.14159265), hit.z * kAlongTube);
    return texture(WallS, uv).rgb;
}

vertex CubeVS(float3 pos : POSITION, float3 normal : NORMAL, float2 uv : TEXCOORD0,
              out float4 position : POSITION, out float3 vWorld : TEXCOORD0,
              out float3 vNormal : TEXCOORD1) {
    vec4 world = World * vec4(pos, 1.0);
    position = ViewProj * world;
    vWorld = world.xyz;
    vNormal = (World * vec4(normal, 0.0)).xyz;
}

fragment CubePS(float3 vWorld : TEXCOORD0, float3 vNormal : TEXCOORD1,
                out float4 colour : COLOR0) {
    vec3 n = normalize(vNormal);
    vec3 view = normalize(EyePos - vWorld);
    vec3 reflected = reflect(-view, n);
    float facing = max(dot(n, view), 0.0);
    float fresnel = 0.25 + 0.75 * pow(1.0 - facing, 4.0);

    vec3 mirrored = WallSeen(vWorld, reflected);
    vec3 key = normalize(kKeyLight);
    float lamp = pow(facing, 60.0) * 1.2;
    float glint = pow(max(dot(n, normalize(key + view)), 0.0), 120.0) * 1.5;
    float diffuse = max(dot(n, key), 0.0) * 0.15;

    vec3 lit = kMetal * (0.4 + diffuse) + mirrored * (0.35 + 1.1 * fresnel);
    lit += vec3(1.0, 0.97, 0.92) * lamp + vec3(0.8, 0.9, 1.0) * glint;
    colour = vec4(mix(clamp(lit, 0.0, 1.0), FogColor, clamp(Fog, 0.0, 1.0)), 1.0);
}

technique Cube {
    pass P0 {
        ZEnable = true; ZWriteEnable = true; ZFunc = LessEqual; CullMode = CCW;
        AlphaBlendEnable = false;
        VertexShader = CubeVS; PixelShader = CubePS;
    }
}
