// The Windows program: the Win32 front end of the windows written once.

#include <windows.h>

#include "app/win32/front_end.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  app::win32::WindowsFrontEnd front_end(instance);
  app::win32::Win32Backend& backend = front_end.backend();
  front_end.program().on_finished = [&backend] { backend.Post([&backend] { backend.Quit(); }); };
  front_end.program().Start();
  return backend.Run();
}
