// The shell's icons of files and folders, as the desktop shows them.
//
// One process-wide service; tests replace it with SetShellIcons and restore the
// real one by passing nullptr.
#pragma once

#include <QString>
#include <memory>

class TIcon;

// Edge length in pixels of the shell's small and large icons.
constexpr int SmallShellIconSize = 16;
constexpr int LargeShellIconSize = 32;

class IShellIcons {
 public:
  virtual ~IShellIcons() = default;
  // The icon of Name at Size x Size pixels: of the file or folder itself when it
  // exists, else the icon the shell shows for that name by its extension. Null
  // for an empty name or when the shell has no icon.
  virtual std::unique_ptr<TIcon> Icon(const QString& Name, int Size) = 0;
};

IShellIcons& ShellIcons();
std::unique_ptr<IShellIcons> SetShellIcons(std::unique_ptr<IShellIcons> Icons);
