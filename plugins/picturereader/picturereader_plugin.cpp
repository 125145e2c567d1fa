// The image import plug-in: registers the image types the engine decodes so that they
// appear in the viewer's filters, file list and icons. The viewer decodes the files itself.

#include "plugframe/plugin_info.h"

namespace {

class CImageImport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"Image Import", PLUGIN_IMPORT, {1, 1, 0, 21}, "Halvard",
                                     "Imports 2D images of all supported types.", ""});
    }

    const char* GetRegistration() override
    {
        return "<KXIMP><EXTNUM:11>"
               "<T:2 EXT:\"CEL\" INF:\"Autodesk Animator Graphic\" ICO:2010>"
               "<T:2 EXT:\"PIC\" INF:\"Autodesk Animator Graphic\" ICO:2010>"
               "<T:2 EXT:\"DDS\" INF:\"DirectX DirectDraw Surface\" ICO:2016>"
               "<T:2 EXT:\"GIF\" INF:\"Graphics Interchange Format\" ICO:2015>"
               "<T:2 EXT:\"JPG\" INF:\"JPEG Image\" ICO:2011>"
               "<T:2 EXT:\"JPEG\" INF:\"JPEG Image\" ICO:2011>"
               "<T:2 EXT:\"PNG\" INF:\"Portable Network Graphics\" ICO:2013>"
               "<T:2 EXT:\"PCX\" INF:\"Publisher's Paintbrush Bitmap Graphic\" ICO:2012>"
               "<T:2 EXT:\"TGA\" INF:\"Targa Image\" ICO:2014>"
               "<T:2 EXT:\"BMP\" INF:\"Windows Bitmap Graphic\" ICO:2009>"
               "<T:2 EXT:\"DIB\" INF:\"Windows Bitmap Graphic\" ICO:2009>";
    }

    // Reads nothing: the viewer loads the image once this has returned.
    PlugInResult Process(skModel* model, const char16_t* fileName, ...) override
    {
        return model && fileName ? PLUGIN_RESULT_CHANGED : PLUGIN_RESULT_FAILED;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CImageImport)
