# Sourced by the scripts that run the Windows programs under Wine.
#
# quillomar_wine_prefix FOLDER: makes FOLDER a new Wine prefix, ready for the
# program: Wine's own files, and the MS Sans Serif screen font in its Fonts
# folder (Debian's Wine ships the font in /usr/share/wine/fonts but does not
# find it there, and its windows were laid out for that font; without it Wine
# draws their texts in a wider face), and Tahoma, the outline face of the
# scaled screens.
quillomar_wine_prefix() {
  local prefix=$1
  mkdir -p "$prefix"
  WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1 || true
  local fonts="$prefix/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for font in sserife.fon tahoma.ttf tahomabd.ttf; do
    [ -f "/usr/share/wine/fonts/$font" ] && cp "/usr/share/wine/fonts/$font" "$fonts/"
  done
  # wineboot leaves a server running; the next program starts its own.
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  quillomar_private_user_folders "$prefix"
  quillomar_check_user_folders "$prefix"
}

# quillomar_outside_links PREFIX: the links among the prefix's user folders
# that lead outside the prefix, one a line.
quillomar_outside_links() {
  local prefix link
  prefix=$(realpath "$1")
  while IFS= read -r -d '' link; do
    case "$(realpath -m "$link")/" in
      "$prefix"/*) ;;
      *) echo "$link" ;;
    esac
  done < <(find "$1/drive_c/users" -type l -print0)
}

# quillomar_private_user_folders PREFIX: wineboot links the user's Desktop,
# Documents, Music, Templates and the other user folders of a new prefix to
# the real home of whoever runs it; each becomes a folder of its own inside
# the prefix, so that nothing run there reaches that home.
quillomar_private_user_folders() {
  local link
  quillomar_outside_links "$1" | while IFS= read -r link; do
    rm -f "$link"
    mkdir -p "$link"
  done
}

# quillomar_check_user_folders PREFIX: fails, naming them, when links among
# the prefix's user folders lead outside the prefix.
quillomar_check_user_folders() {
  local outside
  outside=$(quillomar_outside_links "$1")
  [ -z "$outside" ] && return 0
  echo "wine prefix: user folders lead outside $1:" >&2
  echo "$outside" >&2
  return 1
}

# quillomar_virtual_screen FOLDER [WIDTHxHEIGHT]: starts a virtual X screen of
# its own (Xvfb, 1024 x 768 unless given) with the openbox window manager
# (Wine waits for one to take a window off the screen) and exports its
# DISPLAY; FOLDER keeps the display's number. quillomar_stop_screen ends both.
quillomar_virtual_screen() {
  Xvfb -displayfd 3 -screen 0 "${2:-1024x768}x24" -nolisten tcp 3>"$1/display" >/dev/null 2>&1 &
  quillomar_screen_pids=$!
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$1/display")"
  # openbox claims the screen before it has finished starting, and a window
  # mapped in between stays unmanaged: wait for its start-up command.
  openbox --startup "touch $1/openbox-ready" >/dev/null 2>&1 &
  quillomar_screen_pids="$! $quillomar_screen_pids"
  for _ in $(seq 200); do [ -e "$1/openbox-ready" ] && break; sleep 0.05; done
}

quillomar_stop_screen() {
  # shellcheck disable=SC2086  # two process numbers
  [ -z "${quillomar_screen_pids:-}" ] || kill $quillomar_screen_pids 2>/dev/null || true
}
