#pragma once

// Command numbers of the menus and toolbars. They are the numbers the settings and the
// plug-in interface know, so they never change; features register what each one does in
// the command registry.
namespace kestrel::cmd {

// File
constexpr int kFileNew = 57600, kFileOpen = 57601, kFileSave = 57603, kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606, kFilePrint = 57607, kFilePrintPreview = 57609;
constexpr int kFileRecent = 57616, kAppExit = 57665, kRefreshFile = 33136;
// Edit and the file list
constexpr int kEditCopy = 57634, kEditCut = 57635, kEditPaste = 57637;
constexpr int kRename = 33146, kDelete = 33147, kPreviousFile = 33137, kNextFile = 33138;
constexpr int kLargeIcons = 32777, kSmallIcons = 32778, kList = 32779, kDetails = 32780, kThumbnails = 32781;
constexpr int kRefreshFolder = 33121, kUpOneLevel = 33122, kGenerateThumbnails = 33145;
// Display options of the 3D view
// Each family is "off" and a range whose n-th number chooses mode n; the ranges keep room
// for modes the menus do not offer.
constexpr int kMeshOff = 32784, kMeshFirst = 32785, kMeshLast = 32799;
constexpr int kMeshBoundingBoxes = 32785, kMeshTransparentBoxes = 32786, kMeshOutlinedBoxes = 32787,
              kMeshVertices = 32788, kMeshShadedVertices = 32789, kMeshWireframe = 32790,
              kMeshShadedWireframe = 32791, kMeshFlat = 32792, kMeshSmooth = 32793, kMeshCelShaded = 32794,
              kMeshCelOutline = 32795, kMeshSolid = 32796;
constexpr int kSkeletonOff = 32800, kSkeletonFirst = 32801, kSkeletonLast = 32805;
constexpr int kSkeletonLines = 32801, kSkeletonLinesAxes = 32802, kSkeletonWireframe = 32803,
              kSkeletonSolid = 32804;
constexpr int kBoundingBoxOff = 32806, kBoundingBoxFirst = 32807, kBoundingBoxLast = 32810;
constexpr int kBoundingBoxCorners = 32807, kBoundingBoxWireframe = 32808, kBoundingBoxTransparent = 32809;
constexpr int kGridOff = 32811, kGridFirst = 32812, kGridLast = 32815;
constexpr int kGridWireframe = 32812, kGridSolid = 32813, kGridTransparent = 32814;
constexpr int kNormals = 32816, kAxes = 32817, kDisplayCameras = 32818, kDisplayLights = 32820;
constexpr int kBackFaces = 33115;
constexpr int kCameraFront = 32842, kCameraBack = 32843, kCameraTop = 32844, kCameraBottom = 32845,
              kCameraLeft = 32846, kCameraRight = 32847;
// Animation
constexpr int kPlay = 32822, kStop = 32823, kPause = 32824, kLoopBack = 32825, kLoopNext = 32826;
constexpr int kSpeedUp = 32827, kSlowDown = 32828, kSequences = 32829, kRepeat = 32830;
constexpr int kStepBack = 32831, kStepForward = 32832, kFramesSlider = 33112;
// Keyboard commands of our own, beside the animation table: Space, Home and End.
constexpr int kPlayPause = 33150, kFirstFrame = 33151, kLastFrame = 33152;
// Images
constexpr int kGrayscale = 33123, kRotateLeft = 33124, kRotateRight = 33125, kFlipVertical = 33126,
              kFlipHorizontal = 33127, kInvert = 33128, kNormalMap = 33129, kToggleAlpha = 33140,
              kFitWindow = 33141, kActualSize = 33142, kZoomIn = 33143, kZoomOut = 33144;
// Tools
constexpr int kSettings = 32783, kSnapClipboard = 32840, kSnapFile = 32841, kRecordAvi = 33134;
constexpr int kNoExporters = 32853, kNoEditors = 32854, kNoTools = 32855;
constexpr int kFirstPlugIn = 32856, kLastPlugIn = 33111;
// Window and help
constexpr int kFullScreen = 32850, kAbout = 57664;
constexpr int kHelpMail = 33131, kHelpWeb = 33132, kHelpModeller = 33133;

// Bars and panels (also their "toggle" commands in the View menu)
constexpr int kMenuBar = 130, kStandardBar = 59392, kRenderModesBar = 32836, kAnimationBar = 32835;
constexpr int kFramesBar = 33135, kImageEditBar = 33130, kCameraBar = 33114, kFullScreenBar = 32852;
constexpr int kThemeBar = 132, kStatusBar = 59393;
constexpr int kFileListPanel = 135, kFoldersPanel = 134, kStatisticsPanel = 32849;

} // namespace kestrel::cmd
