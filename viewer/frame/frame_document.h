#pragma once

class CModel;

namespace kestrel::frame {

// What the frame needs of the open document to run a plug-in command on its model.
class IFrameDocument {
public:
    virtual ~IFrameDocument() = default;
    // The model plug-ins work on (may be empty, never null while the document lives).
    virtual CModel& PlugInModel() = 0;
    // Around a plug-in run: the view's GL context must be current while the model changes.
    virtual void BeginModelChange() {}
    virtual void EndModelChange() {}
    // A plug-in changed the model: re-read its statistics and refresh the panels.
    virtual void ModelChanged() = 0;
    virtual void RedrawViews() = 0;
    // The window closes: long work on the document (a file being read) stops.
    virtual void CancelWork() {}
};

} // namespace kestrel::frame
