// Qt's Fusion style paints a group box's frame from an image among Qt's own
// resources, and reads it through the pixmap loader, which asks every
// installed image-format plugin whether it reads PNG before it uses the PNG
// reader built into Qt: painting the main window loaded the GIF, ICO and JPEG
// plugins and libjpeg, about 0.2 MiB the program never uses. A group box here
// draws the same frame from the same image, read by the PNG reader alone.
#pragma once

class QGroupBox;

namespace framework::qt {

// Gives `box` a style that draws Fusion's frame from the image read once by
// the PNG reader, and otherwise is Fusion. Only where the application's
// style is Fusion of the Qt release whose frame it reproduces; elsewhere the
// box keeps the application's style.
void drawFrameWithoutImagePlugins(QGroupBox& box);

}  // namespace framework::qt
