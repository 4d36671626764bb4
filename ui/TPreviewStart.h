#pragma once
// What the input pane and the preview windows need before the application object exists: the
// URL scheme the preview serves its pages under, and their icons (kept by the static library
// only when something names them).

class TPreviewStart {
public:
    static void Prepare();
};
