// The tube wall's texture: the tunnel's liquid lit from a fixed light, drawn on a quad that
// fills its 512 x 512 target through VIEWPROJ. TX0 is the blurred height (red + green / 255)
// and TX1 its normal map (rgb = n * 0.5 + 0.5), both from TunnelWaterNormals.fx. Nothing here
// depends on the view or on where a texel lies, only on what wraps, so the result tiles like
// its inputs. Writes rgb the lit liquid and alpha the height, which the tunnel reads to bump
// its walls.
#include "shared.fxh"

texture Tx0 : TX0;
texture Tx1 : TX1;

sampler2D HeightS = sampler_state {
    Texture = <Tx0>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap;
};
sampler2D NormalS = sampler_state {
    Texture = <Tx1>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap;
};

const vec3 kTrough = vec3(0.01, 0.03, 0.07);
const vec3 kBody = vec3(0.04, 0.16, 0.28);
const vec3 kCrest = vec3(0.2, 0.52, 0.62);
const vec3 kLight = vec3(-0.35, 0.45, 0.82);
const vec3 kBackLight = vec3(0.5, -0.6, 0.62);

float DecodeHeight(vec4 texel) {
    return texel.r + texel.g * (1.0 / 255.0);
}

vertex TunnelQuadVS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float4 position : POSITION,
                    out float2 vUv : TEXCOORD0) {
    position = ViewProj * vec4(pos, 1.0);
    vUv = uv;
}

fragment FinalCompPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec3 normal = normalize(texture(NormalS, vUv).xyz * 2.0 - 1.0);
    float height = DecodeHeight(texture(HeightS, vUv));
    // Deeper liquid in the troughs, a lighter, thinner film over the ridges, seen from above.
    vec3 body = mix(kTrough, kBody, smoothstep(0.15, 0.5, height));
    body = mix(body, kCrest, smoothstep(0.55, 0.9, height));

    const vec3 view = vec3(0.0, 0.0, 1.0);
    vec3 light = normalize(kLight);
    float diffuse = 0.45 + 0.55 * max(dot(normal, light), 0.0);
    float facing = max(normal.z, 0.0);
    float fresnel = 0.04 + 0.96 * pow(1.0 - facing, 5.0);
    float glint = pow(max(dot(normal, normalize(light + view)), 0.0), 90.0) * 1.3;
    float sheen = pow(max(dot(normal, normalize(light + view)), 0.0), 16.0) * 0.12;
    float back = pow(max(dot(normal, normalize(normalize(kBackLight) + view)), 0.0), 60.0);

    vec3 lit = body * diffuse + vec3(0.35, 0.55, 0.7) * fresnel;
    lit += vec3(1.0, 0.98, 0.94) * (glint + sheen) + vec3(0.25, 0.5, 0.8) * back * 0.5;
    colour = vec4(clamp(lit, 0.0, 1.0), clamp(height, 0.0, 1.0));
}

technique techniqueTunnelWaterFinalComp {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = TunnelQuadVS; PixelShader = FinalCompPS;
    }
}
