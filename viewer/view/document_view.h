#pragma once

// What the document asks of its view. The view's GL context must be current while a file
// is opened or textures are reloaded, since the model uploads its textures then.
namespace kestrel::view {

class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void BeginGl() = 0;
    virtual void EndGl() = 0;
    // A new or opened document: culling, clear colour, projection, image fit, redraw loop.
    virtual void InitialUpdate() = 0;
    // Fits the document's image into the window (view mode 2).
    virtual void FitImage() = 0;
    // Re-initialises the projection and repaints.
    virtual void Redraw() = 0;
};

} // namespace kestrel::view
