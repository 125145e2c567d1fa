// The view's part in the file list: its picture of the document for the thumbnail.
#include <QOpenGLFramebufferObject>

#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "model_picture.h"
#include "thumbnail.h"

namespace kestrel::view {

thumbnail::Picture CKestrelView::DocumentThumbnail()
{
    doc::Document& document = doc_.Data();
    if (document.viewMode == doc::kImage)
        return thumbnail::ImageThumbnail(document.image);
    if (document.viewMode != doc::kModel)
        return thumbnail::EmptyThumbnail();
    if (!glReady_)
        return {};
    const thumbnail::Size size = thumbnail::ModelPictureSize();
    makeCurrent();
    thumbnail::Picture picture;
    {
        // A target of its own: the view's buffer may be another size or multisampled.
        QOpenGLFramebufferObject target(size.width, size.height, QOpenGLFramebufferObject::Depth);
        if (target.isValid() && target.bind()) {
            thumbnail::DrawModelPicture(document.model, size.width, size.height);
            picture = thumbnail::ReadFramebuffer(size.width, size.height);
            target.release();
        }
    }
    doneCurrent();
    // The scene's own projection and viewport come back with the next frame.
    update();
    return picture.IsNull() ? picture : thumbnail::ModelThumbnail(picture);
}

} // namespace kestrel::view
