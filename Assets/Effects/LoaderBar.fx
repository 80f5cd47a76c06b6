// The loading screen: a slim horizontal bar with a fine frame, filling from the left with the
// tick count (0 to 255) and glowing at its leading edge. The quad spans -1..1 in its texture
// coordinates; everything outside the bar stays black.

float4x4 ViewProj : VIEWPROJ;
float Ticks : TICKS = 0;

const float kHalfLength = 0.86;
const float kHalfHeight = 0.035;
const float kFrameGap = 0.018;

vertex LoaderVS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float4 position : POSITION,
                out float2 vUv : TEXCOORD0) {
    position = ViewProj * vec4(pos, 1.0);
    vUv = uv;
}

fragment LoaderPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    float fill = clamp(Ticks / 255.0, 0.0, 1.0);
    float x = vUv.x / kHalfLength;     // -1..1 along the bar
    float y = abs(vUv.y) / kHalfHeight; // 0 at the middle, 1 at the bar's edge
    float pixel = fwidth(vUv.x) / kHalfLength;

    // The filled part: a cool gradient, brighter along the middle line.
    float along = x * 0.5 + 0.5;
    float inside = (1.0 - smoothstep(1.0 - pixel * 20.0, 1.0, y)) *
                   (1.0 - smoothstep(fill - pixel, fill + pixel, along)) *
                   step(abs(x), 1.0);
    vec3 body = mix(vec3(0.10, 0.38, 0.62), vec3(0.55, 0.90, 1.00), along) * (1.15 - 0.45 * y);

    // A soft glow around the leading edge.
    float edge = exp(-abs(along - fill) * 40.0) * exp(-y * y * 0.6) * step(0.002, fill);

    // The frame: a thin line around the whole bar, a little outside it.
    float frameX = abs(x) - 1.0 - kFrameGap / kHalfLength;
    float frameY = y - 1.0 - kFrameGap / kHalfHeight;
    float outline = max(frameX * kHalfLength, frameY * kHalfHeight);
    float frame = 1.0 - smoothstep(0.0, fwidth(outline) * 1.5, abs(outline));

    vec3 rgb = body * inside + vec3(0.6, 0.95, 1.0) * edge * 0.8 + vec3(0.35, 0.42, 0.5) * frame;
    colour = vec4(rgb, 1.0);
}

technique Loader {
    pass P0 {
        ZEnable = false;
        CullMode = None;
        VertexShader = LoaderVS;
        PixelShader = LoaderPS;
    }
}
