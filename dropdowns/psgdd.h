// The drag-and-drop unit of the grid: process-wide switches of OLE drag and drop.
#pragma once

// Lets drags offer, and drops accept, the "Rich Text Format" clipboard format.
void SetRTFDragDrop(bool Value);
// Whether rich text takes part in drag and drop; off at start.
bool RTFDragDrop();
