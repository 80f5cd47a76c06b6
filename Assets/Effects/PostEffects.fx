// Post-processing: every pass draws one quad over the whole target, texture coordinates (0, 0)
// at its top left and (1, 1) at its bottom right, so a pixel reads the input texel under it.
//
// Inputs: COLTEX1..3 colour (or depth) pictures, VECTEX1 the exponential blur's depth map or the
// motion blur's vectors; VALUE1 a colour or factor; TX1DIMPIXELINV the input's texel size in
// texture coordinates; RTDIMPIXELINV the drawn target's pixel size (its y is negative, the
// direction of rows in clip space); NOISEINTENSITY the amplitude of the film noise, read from
// the shared noise volume; TIMENOISE the time that moves the tunnel's noise (the other passes
// move theirs with the shared TIME); CONTRAST the grade curve; CANTORDOFPARAMETERS, COLOR1 and
// COLOR2 the Cantor depth of field.
#include "shared.fxh"

texture ColTex1 : COLTEX1;
texture ColTex2 : COLTEX2;
texture ColTex3 : COLTEX3;
texture VecTex1 : VECTEX1;

float4 Value1 : VALUE1 = {1, 1, 1, 1};
float2 RtDimPixelInv : RTDIMPIXELINV = {0.0015625, -0.0027777778};
float2 Tx1DimPixelInv : TX1DIMPIXELINV = {0.0015625, 0.0027777778};
float NoiseIntensity : NOISEINTENSITY = 0;
float TimeNoise : TIMENOISE = 0;
// y -> mix(y, ((c.x y + c.y) y + c.z) y, c.w) per channel; (0, 0, 1, 1) is the identity.
float4 Contrast : CONTRAST = {0, 0, 1, 1};
// (focus depth, blur added everywhere, explosion glow).
float3 CantorDofParameters : CANTORDOFPARAMETERS = {0.12, 0.03, 0};
float3 Color1 : COLOR1 = {1, 1, 1};
float3 Color2 : COLOR2 = {1, 1, 1};

sampler2D Col1S = sampler_state {
    Texture = <ColTex1>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
};
sampler2D Col2S = sampler_state {
    Texture = <ColTex2>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
};
sampler2D Col3S = sampler_state {
    Texture = <ColTex3>; MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
};
// Depths and vectors are not interpolated across edges.
sampler2D Vec1S = sampler_state {
    Texture = <VecTex1>; MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
};
sampler3D NoiseS = sampler_state {
    Texture = <NoiseTex>; MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap; AddressW = Wrap;
};

// How sharply the exponential blur weighs the farther depths of a neighbourhood.
const float kExpSharpness = 30.0;
const int kMotionSamples = 12;
const vec3 kLuminance = vec3(0.299, 0.587, 0.114);

// Binomial 1 4 6 4 1 along one axis.
vec4 Blur5(sampler2D picture, vec2 uv, vec2 texel) {
    return (texture(picture, uv - 2.0 * texel) + 4.0 * texture(picture, uv - texel) +
            6.0 * texture(picture, uv) + 4.0 * texture(picture, uv + texel) +
            texture(picture, uv + 2.0 * texel)) * 0.0625;
}

// Binomial 1 8 28 56 70 56 28 8 1 along one axis.
vec4 Blur9(sampler2D picture, vec2 uv, vec2 texel) {
    vec4 sum = 70.0 * texture(picture, uv);
    sum += 56.0 * (texture(picture, uv - texel) + texture(picture, uv + texel));
    sum += 28.0 * (texture(picture, uv - 2.0 * texel) + texture(picture, uv + 2.0 * texel));
    sum += 8.0 * (texture(picture, uv - 3.0 * texel) + texture(picture, uv + 3.0 * texel));
    sum += texture(picture, uv - 4.0 * texel) + texture(picture, uv + 4.0 * texel);
    return sum * 0.00390625;
}

// Film grain in -1 .. 1: the noise volume read a few texels apart per pixel, so neighbouring
// pixels differ, at an offset that jumps with the time, so frames differ.
float FilmGrain(vec2 pixel, float time) {
    vec3 at = vec3(pixel * 0.029, 0.0) + fract(vec3(time * 7.31, time * 3.77, time * 0.53));
    return texture(NoiseS, at).r * 2.0 - 1.0;
}

vec3 ContrastCurve(vec3 y, vec4 k) {
    vec3 curve = ((k.x * y + k.y) * y + k.z) * y;
    return mix(y, curve, k.w);
}

// Darkens towards the corners by up to strength.
float Vignette(vec2 uv, float strength) {
    vec2 d = uv * 2.0 - 1.0;
    return 1.0 - strength * 0.5 * dot(d, d);
}

vertex QuadVS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float2 vUv : TEXCOORD0) {
    gl_Position = vec4(pos, 1.0);
    vUv = uv;
}

fragment BlitPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = texture(Col1S, vUv) * Value1;
}

fragment FillPS(out float4 colour : COLOR0) {
    colour = Value1;
}

// VALUE1.rgb is the colour faded to, VALUE1.a how far (0 the source, 1 the colour).
fragment FadeToColorPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec4 source = texture(Col1S, vUv);
    colour = vec4(mix(source.rgb, Value1.rgb, Value1.a), source.a);
}

fragment BlurVLowPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = Blur5(Col1S, vUv, vec2(0.0, Tx1DimPixelInv.y));
}

fragment BlurHLowPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = Blur5(Col1S, vUv, vec2(Tx1DimPixelInv.x, 0.0));
}

fragment BlurVPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = Blur9(Col1S, vUv, vec2(0.0, Tx1DimPixelInv.y));
}

fragment BlurHPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = Blur9(Col1S, vUv, vec2(Tx1DimPixelInv.x, 0.0));
}

// A 4 x 4 box of a source twice the target's size: four filtered reads half a target pixel
// (one source texel) around the pixel's centre, each averaging 2 x 2 texels.
fragment DownSamplePS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec2 d = abs(RtDimPixelInv) * 0.5;
    colour = (texture(Col1S, vUv + vec2(-d.x, -d.y)) + texture(Col1S, vUv + vec2(d.x, -d.y)) +
              texture(Col1S, vUv + vec2(-d.x, d.y)) + texture(Col1S, vUv + vec2(d.x, d.y))) *
             0.25;
}

// The source with its blurred glow (COLTEX2, the half-size chain) added, and film noise.
fragment CombineUFOPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec3 c = texture(Col1S, vUv).rgb + 1.5 * texture(Col2S, vUv).rgb;
    c += FilmGrain(gl_FragCoord.xy, Time) * NoiseIntensity;
    colour = vec4(clamp(c, 0.0, 1.0), 1.0);
}

fragment CombineTunnelPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec3 c = texture(Col1S, vUv).rgb * Vignette(vUv, 0.4);
    c += FilmGrain(vUv / abs(RtDimPixelInv), TimeNoise) * NoiseIntensity;
    colour = vec4(clamp(c, 0.0, 1.0), 1.0);
}

fragment CombineHumanoidPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec3 c = texture(Col1S, vUv).rgb;
    c += FilmGrain(vUv / abs(RtDimPixelInv), Time) * NoiseIntensity;
    c = ContrastCurve(clamp(c, 0.0, 1.0), Contrast) * Vignette(vUv, 0.3);
    colour = vec4(clamp(c, 0.0, 1.0), 1.0);
}

// The 5 x 5 binomial blur of a depth map in exponential space, written back as a depth:
// centre + log(sum of w exp(k (d - centre))) / k. Filtering exp(k d) instead of d keeps shadow
// tests on the filtered map valid; subtracting the centre keeps the exponentials in range.
fragment ExpBlurPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    const float weights[5] = float[5](1.0, 4.0, 6.0, 4.0, 1.0);
    float centre = texture(Vec1S, vUv).r;
    float sum = 0.0;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            vec2 offset = vec2(float(x - 2), float(y - 2)) * Tx1DimPixelInv;
            float d = texture(Vec1S, vUv + offset).r;
            sum += weights[x] * weights[y] * exp(kExpSharpness * (d - centre));
        }
    }
    float depth = centre + log(sum * 0.00390625) / kExpSharpness;
    colour = vec4(depth, depth, depth, 1.0);
}

// VECTEX1 holds each pixel's motion over the frame in texture coordinates (red u, green v);
// the colour is averaged along that path, centred on the pixel.
fragment MotionBlurPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec2 motion = texture(Vec1S, vUv).xy;
    vec4 sum = vec4(0.0);
    for (int i = 0; i < kMotionSamples; ++i) {
        float along = float(i) / float(kMotionSamples - 1) - 0.5;
        sum += texture(Col1S, vUv + motion * along);
    }
    colour = sum / float(kMotionSamples);
}

// The source (COLTEX2) with its blur (COLTEX1) added by VALUE1 and its colours pushed away
// from grey by the same amount; VALUE1 0 leaves the source as it is.
fragment SaturatePS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec3 c = texture(Col2S, vUv).rgb + texture(Col1S, vUv).rgb * Value1.rgb;
    float grey = dot(c, kLuminance);
    c = grey + (c - grey) * (1.0 + Value1.a);
    colour = vec4(clamp(c, 0.0, 1.0), 1.0);
}

// COLTEX3's red is the scene's blur factor (0 sharp, 1 the blurred COLTEX1), then film noise
// and the contrast curve.
fragment DofQuadPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    float blur = clamp(texture(Col3S, vUv).r, 0.0, 1.0);
    vec3 c = mix(texture(Col2S, vUv).rgb, texture(Col1S, vUv).rgb, blur);
    c += FilmGrain(gl_FragCoord.xy, Time) * NoiseIntensity;
    colour = vec4(clamp(ContrastCurve(clamp(c, 0.0, 1.0), Contrast), 0.0, 1.0), 1.0);
}

// Blur grows with the distance of COLTEX3's depth (red) from the focus depth, plus the blur
// that the flashes add everywhere.
float CantorBlur(vec2 uv) {
    float depth = texture(Col3S, uv).r;
    return clamp(abs(depth - CantorDofParameters.x) * 4.0 + CantorDofParameters.y, 0.0, 1.0);
}

fragment CantorDofPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec3 c = mix(texture(Col2S, vUv).rgb, texture(Col1S, vUv).rgb, CantorBlur(vUv));
    colour = vec4(clamp(c, 0.0, 1.0), 1.0);
}

// The explosion tints the sharp and the blurred picture apart and adds the blur as a glow that
// grows until the picture burns out.
fragment CantorDofExplosionPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    vec3 blurred = texture(Col1S, vUv).rgb;
    vec3 c = mix(texture(Col2S, vUv).rgb * Color1, blurred * Color2, CantorBlur(vUv));
    c += blurred * CantorDofParameters.z;
    colour = vec4(clamp(c, 0.0, 1.0), 1.0);
}

technique BlitQuad {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = BlitPS;
    }
}
technique FillQuad {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = FillPS;
    }
}
technique FadeToColor {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = FadeToColorPS;
    }
}
technique BlurVLow {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = BlurVLowPS;
    }
}
technique BlurHLow {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = BlurHLowPS;
    }
}
technique DownSample {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = DownSamplePS;
    }
}
technique BlurV {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = BlurVPS;
    }
}
technique BlurH {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = BlurHPS;
    }
}
technique CombineUFO {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = CombineUFOPS;
    }
}
technique CombineTunnel {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = CombineTunnelPS;
    }
}
technique CombineHumanoid {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = CombineHumanoidPS;
    }
}
technique ExpBlur {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = ExpBlurPS;
    }
}
technique MotionBlur {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = MotionBlurPS;
    }
}
technique Saturate {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = SaturatePS;
    }
}
technique DofQuad {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = DofQuadPS;
    }
}
technique Cantor_DofQuad {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = CantorDofPS;
    }
}
technique Cantor_DofQuadExplosion {
    pass P0 {
        ZEnable = false; ZWriteEnable = false; CullMode = None; AlphaBlendEnable = false;
        VertexShader = QuadVS; PixelShader = CantorDofExplosionPS;
    }
}
