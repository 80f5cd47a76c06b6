// The sky behind everything: a gradient from a pale horizon to a deep zenith with slow soft
// clouds from the shared noise volume, faded by FADE. The dome's second texture coordinate is 1
// at the horizon and 0 at the pole.
#include "shared.fxh"

float4x4 MatSkydome : MATSKYDOME;
float Fade : FADE = 1;

sampler3D NoiseS = sampler_state {
    Texture = <NoiseTex>;
    MinFilter = Linear;
    MagFilter = Linear;
    MipFilter = Linear;
    AddressU = Wrap;
    AddressV = Wrap;
    AddressW = Wrap;
};

vertex SkyVS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float4 position : POSITION,
             out float3 vDirection : TEXCOORD0, out float2 vUv : TEXCOORD1) {
    position = MatSkydome * vec4(pos, 1.0);
    vDirection = pos;
    vUv = uv;
}

fragment SkyPS(float3 vDirection : TEXCOORD0, float2 vUv : TEXCOORD1,
               out float4 colour : COLOR0) {
    float height = clamp(1.0 - vUv.y, 0.0, 1.0); // 0 at the horizon, 1 at the pole
    vec3 horizon = vec3(0.78, 0.82, 0.86);
    vec3 middle = vec3(0.36, 0.52, 0.74);
    vec3 zenith = vec3(0.07, 0.14, 0.32);
    vec3 sky = mix(horizon, middle, smoothstep(0.0, 0.35, height));
    sky = mix(sky, zenith, smoothstep(0.3, 1.0, height));

    // Clouds on a flat layer above the viewer, thinning toward the horizon.
    vec3 direction = normalize(vDirection);
    vec2 layer = direction.xz / (direction.y + 0.15) * 0.35;
    vec3 drift = vec3(Time * 0.004, Time * 0.0015, Time * 0.002);
    float density = texture(NoiseS, vec3(layer, 0.3) + drift).r * 0.55 +
                    texture(NoiseS, vec3(layer * 2.3, 0.6) + drift * 1.7).r * 0.3 +
                    texture(NoiseS, vec3(layer * 5.1, 0.1) + drift * 2.9).r * 0.15;
    float clouds = smoothstep(0.48, 0.78, density) * smoothstep(0.02, 0.25, height);
    vec3 lit = mix(vec3(0.93, 0.94, 0.97), vec3(0.62, 0.66, 0.74), smoothstep(0.6, 0.95, density));
    colour = vec4(mix(sky, lit, clouds * 0.85) * Fade, 1.0);
}

technique Skydome {
    pass P0 {
        ZEnable = true;
        ZWriteEnable = false;
        ZFunc = LessEqual;
        CullMode = None;
        VertexShader = SkyVS;
        PixelShader = SkyPS;
    }
}
