// Inside of the string grid's glyph drawing, shared by its painting files.
#pragma once

// Registers the grid's pictures (check boxes, radio buttons, the filter glyph)
// as program resources; safe to call any number of times.
void InitProGridGlyphResources();
