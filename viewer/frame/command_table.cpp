#include "command_table.h"

#include "command_ids.h"

namespace kestrel::frame {

using namespace kestrel::cmd;

const std::vector<CommandInfo>& CommandTable()
{
    static const std::vector<CommandInfo> table = {
        // File
        {kFileNew, "&New", "Ctrl+N", "Create a new document", false},
        {kFileOpen, "&Open...", "Ctrl+O", "Open an existing document", false},
        {kFileSave, "&Save", "Ctrl+S", "Save the active document", false},
        {kFileSaveAs, "Save &As...", "", "Save the active document with a new name", false},
        {kRefreshFile, "&Refresh File", "Ctrl+F5", "Open the current file again", false},
        {kFilePrint, "&Print...", "Ctrl+P", "Print the active document", false},
        {kFilePrintPreview, "Print Pre&view", "", "Display full pages", false},
        {kFilePrintSetup, "P&rint Setup...", "", "Change the printer and printing options", false},
        {kAppExit, "E&xit", "", "Quit the application", false},
        // Edit and the file list
        {kEditCopy, "&Copy", "Ctrl+C", "Copy the selected file to the clipboard", false},
        {kEditCut, "Cu&t", "Ctrl+X", "Cut the selected file to the clipboard", false},
        {kEditPaste, "&Paste", "Ctrl+V", "Paste files from the clipboard into the current folder", false},
        {kRename, "Rena&me", "F2", "Rename the selected file", false},
        {kDelete, "&Delete", "Del", "Delete the selected file", false},
        {kPreviousFile, "Pre&vious File", "Alt+Left", "Open the previous file of the folder", false},
        {kNextFile, "&Next File", "Alt+Right", "Open the next file of the folder", false},
        {kLargeIcons, "Lar&ge Icons", "", "Show the files as large icons", true},
        {kSmallIcons, "S&mall Icons", "", "Show the files as small icons", true},
        {kList, "&List", "", "Show the files as a list", true},
        {kDetails, "&Details", "", "Show the files with their details", true},
        {kThumbnails, "&Thumbnails", "", "Show the files as thumbnails", true},
        {kRefreshFolder, "&Refresh Folder", "F5", "Read the current folder again", false},
        {kUpOneLevel, "&Up One Level", "", "Go to the parent folder", false},
        {kGenerateThumbnails, "&Generate Thumbnails", "", "Generate the thumbnails of the folder", false},
        // Mesh render modes
        {kMeshOff, "&Off", "", "Do not draw the meshes", true},
        {kMeshBoundingBoxes, "&Bounding Boxes", "Alt+7", "Draw the meshes as bounding boxes", true},
        {kMeshTransparentBoxes, "Transparent Bounding Boxes", "", "Draw the meshes as transparent bounding boxes", true},
        {kMeshOutlinedBoxes, "Transparent Outlined Bounding Boxes", "", "Draw the meshes as outlined transparent boxes", true},
        {kMeshVertices, "&Vertices", "Alt+6", "Draw the vertices", true},
        {kMeshShadedVertices, "S&haded Vertices", "Alt+5", "Draw the vertices shaded", true},
        {kMeshWireframe, "&Wireframe", "", "Draw the meshes as wireframe", true},
        {kMeshShadedWireframe, "Shaded W&ireframe", "Alt+4", "Draw the meshes as shaded wireframe", true},
        {kMeshFlat, "&Flat Shaded", "Alt+3", "Draw the meshes flat shaded", true},
        {kMeshSmooth, "S&mooth Shaded", "", "Draw the meshes smooth shaded", true},
        {kMeshCelShaded, "&Cel-Shaded", "", "Draw the meshes cel-shaded", true},
        {kMeshCelOutline, "Cel-Shaded &Outline", "Alt+2", "Draw the meshes cel-shaded with outlines", true},
        {kMeshSolid, "&Solid", "Alt+1", "Draw the meshes solid and textured", true},
        // Skeleton
        {kSkeletonOff, "&Off", "", "Do not draw the skeleton", true},
        {kSkeletonLines, "&Lines", "", "Draw the skeleton as lines", true},
        {kSkeletonLinesAxes, "Lines with &Axes", "", "Draw the skeleton as lines with joint axes", true},
        {kSkeletonWireframe, "Volumetric &Wireframe", "", "Draw the skeleton as volumetric wireframe", true},
        {kSkeletonSolid, "Volumetric &Solid", "", "Draw the skeleton as volumetric solid", true},
        // Scene bounding box
        {kBoundingBoxOff, "&Off", "", "Do not draw the scene bounding box", true},
        {kBoundingBoxCorners, "&Corners", "", "Draw the corners of the scene bounding box", true},
        {kBoundingBoxWireframe, "&Wireframe", "", "Draw the scene bounding box as wireframe", true},
        {kBoundingBoxTransparent, "&Transparent", "", "Draw the scene bounding box transparent", true},
        // Grid
        {kGridOff, "&Off", "", "Do not draw the floor grid", true},
        {kGridWireframe, "&Wireframe", "", "Draw the floor grid as wireframe", true},
        {kGridSolid, "&Solid", "", "Draw the floor grid solid", true},
        {kGridTransparent, "&Transparent", "", "Draw the floor grid transparent", true},
        {kNormals, "Display Light &Normals", "", "Show the normal vectors", true},
        {kAxes, "World &Axes", "", "Show the world axes", true},
        {kBackFaces, "Display &Back Faces", "", "Draw the back faces of triangles", true},
        {kDisplayCameras, "Display &Cameras", "", "Show the cameras of the scene", false},
        {kDisplayLights, "Display &Lights", "", "Show the lights of the scene", false},
        // Camera
        {kCameraFront, "&Front", "", "View the scene from the front", false},
        {kCameraBack, "&Back", "", "View the scene from the back", false},
        {kCameraTop, "&Top", "", "View the scene from the top", false},
        {kCameraBottom, "Botto&m", "", "View the scene from the bottom", false},
        {kCameraLeft, "&Left", "", "View the scene from the left", false},
        {kCameraRight, "&Right", "", "View the scene from the right", false},
        // Animation
        {kPlay, "&Play", "", "Play the animation", true},
        {kStop, "&Stop", "", "Stop the animation", false},
        {kPause, "P&ause", "", "Pause the animation", true},
        {kLoopBack, "&Back", "", "Previous animation sequence", false},
        {kLoopNext, "&Next", "", "Next animation sequence", false},
        {kSpeedUp, "Speed &Up", "", "Play the animation faster", false},
        {kSlowDown, "Slow &Down", "", "Play the animation slower", false},
        {kStepBack, "Step Bac&k", ",", "One frame back", false},
        {kStepForward, "Step &Forward", ".", "One frame forward", false},
        {kPlayPause, "Play/Pa&use", "Space", "Play or pause the animation", false},
        {kFirstFrame, "F&irst Frame", "Home", "Go to the first frame of the sequence", false},
        {kLastFrame, "&Last Frame", "End", "Go to the last frame of the sequence", false},
        {kRepeat, "&Repeat Animation", "", "Repeat the animation", false},
        // Images
        {kRotateLeft, "Rotate &Left", "", "Rotate the image a quarter turn counter-clockwise", false},
        {kRotateRight, "Rotate &Right", "", "Rotate the image a quarter turn clockwise", false},
        {kFlipVertical, "Flip &Vertical", "", "Flip the image upside down", false},
        {kFlipHorizontal, "Flip &Horizontal", "", "Mirror the image", false},
        {kGrayscale, "&Grayscale", "", "Turn the image into shades of gray", false},
        {kInvert, "&Invert", "", "Invert the colours of the image", false},
        {kNormalMap, "&Normal Map", "", "Turn the image into a normal map", false},
        {kToggleAlpha, "Toggle &Alpha Channel", "", "Show the alpha channel over a checkerboard", true},
        {kFitWindow, "&Fit Window", "", "Fit the image to the window", false},
        {kActualSize, "&Actual Size", "", "Show the image at its actual size", false},
        {kZoomIn, "Zoom &In", "", "Enlarge the image", false},
        {kZoomOut, "Zoom &Out", "", "Shrink the image", false},
        // Tools
        {kSettings, "&Settings...", "Ctrl+Alt+S", "Change the preferences", false},
        {kSnapClipboard, "Snap to &Clipboard", "F7", "Copy the view to the clipboard", false},
        {kSnapFile, "Snap to &File", "F8", "Save the view as a numbered JPEG file", false},
        {kRecordAvi, "Record &AVI Video...", "", "Record the animation as an AVI video", false},
        {kNoExporters, "(empty)", "", "No exporters available", false},
        {kNoEditors, "(empty)", "", "No editors available", false},
        {kNoTools, "(empty)", "", "No tools available", false},
        // Window and help
        {kFullScreen, "F&ull Screen", "F11", "Toggle the full-screen mode", true},
        {kHelpMail, "&Support Mail...", "", "Write to the support", false},
        {kHelpWeb, "Kestrel &Web Site...", "", "Open the Kestrel web site", false},
        {kHelpModeller, "&MilkShape 3D Web Site...", "", "Open the MilkShape 3D web site", false},
        {kAbout, "&About Kestrel...", "", "Display program information, version number and copyright", false},
    };
    return table;
}

const CommandInfo* FindCommand(int id)
{
    for (const CommandInfo& c : CommandTable())
        if (c.id == id)
            return &c;
    return nullptr;
}

} // namespace kestrel::frame
