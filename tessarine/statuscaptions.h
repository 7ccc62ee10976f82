#pragma once
// The front panel's captions that name a field's setting (status buttons, the mux-out and
// clock-out labels), named from the fields as they stand: at start-up and after a settings
// import, which set the fields without the windows that set these captions on their return.
namespace tessarine {

class TessarineApp;

void showStatusCaptions(TessarineApp& app);

} // namespace tessarine
