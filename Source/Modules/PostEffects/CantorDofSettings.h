// What the Cantor scene's depth of field takes from the demo time: the technique (the explosion
// from 270 s on), the focus and blur parameters with their flashes, and the explosion's colour
// scales. All in single precision, as the effect receives them.
#pragma once

struct CantorDofSettings {
    const char* technique = "Cantor_DofQuad";
    // (focus p0, blur p1) before the explosion adds to the blur; set first.
    float focusAndBlur[2] = {};
    // (p0, p1, explosion p2); set over the first.
    float parameters[3] = {};
    // The colour scales are set only during the explosion.
    bool coloursSet = false;
    float colour1[3] = {1.0f, 1.0f, 1.0f};
    float colour2[3] = {1.0f, 1.0f, 1.0f};
};

CantorDofSettings CantorDofSettingsAt(float t);
