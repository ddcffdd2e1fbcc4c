// Anchors the shared precompiled header target.
