// The parameters that every effect of the framework's pool shares: the scenes send them once a
// frame through the global effect, and the framework sets the noise texture once.
shared float4x4 View          : VIEW;
shared float4x4 ViewProj      : VIEWPROJ;
shared float4x4 OldViewProj   : OLDVIEWPROJ;
shared float4x4 LightViewProj : LIGHTVIEWPROJ;
shared float3   EyePos        : EYEPOS;
shared float3   LightPos      : LIGHTPOS;
shared float3   LightDir      : LIGHTDIR;
shared float4   Ambient       : AMBIENT;
shared float4   Diffuse       : DIFFUSE;
shared float    Time          : TIME;
shared texture  NoiseTex      : NOISETEX;
