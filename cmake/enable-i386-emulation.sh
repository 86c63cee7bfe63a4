#!/usr/bin/env bash
# Makes 32-bit Linux executables (Wine's 32-bit loader) runnable on machines
# whose kernel cannot execute them, through qemu-i386 and binfmt_misc.
# Does nothing where they already run natively.
set -euo pipefail

probe=/usr/lib/wine/wine
if "$probe" --version >/dev/null 2>&1; then exit 0; fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

qemu_major() { qemu-i386-static --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p'; }

# The mirror this machine's own Debian sources take the release from (deb822
# .sources files first, then one-line lists); empty when none names it.
debian_mirror() {
  local suite=$1 found
  found=$(awk -v suite="$suite" '
      function take() { if (uri != "" && named && !done) { print uri; done = 1; exit } uri = ""; named = 0 }
      FNR == 1 || /^[ \t]*$/ { take() }
      tolower($1) == "uris:" { uri = $2 }
      tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == suite) named = 1 }
      END { take() }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  if [ -z "$found" ]; then
    found=$(awk -v suite="$suite" '
        $1 == "deb" {
          i = 2
          if ($i ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ }
          if ($(i + 1) == suite) { print $i; exit }
        }' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true)
  fi
  echo "$found"
}

if [ "$(qemu_major)" = "" ] || [ "$(qemu_major)" -lt 8 ]; then
  . /etc/os-release
  list=/etc/apt/sources.list.d/${VERSION_CODENAME}-backports.list
  if [ "${VERSION_CODENAME}" = bookworm ] && [ ! -f "$list" ]; then
    mirror=$(debian_mirror "${VERSION_CODENAME}")
    if [ -z "$mirror" ]; then
      echo "No Debian source for ${VERSION_CODENAME} is configured; cannot add its backports." >&2
      exit 1
    fi
    echo "deb ${mirror} ${VERSION_CODENAME}-backports main" | $sudo tee "$list" >/dev/null
  fi
  # qemu is the machine's own architecture: a list that a mirror fails mid-sync for
  # another one does not stand in its way.
  $sudo apt-get update -q || echo "enable-i386-emulation: package lists incomplete; going on" >&2
  if [ "${VERSION_CODENAME}" = bookworm ]; then
    $sudo apt-get install -y -q --no-install-recommends -t bookworm-backports qemu-user-static
  else
    $sudo apt-get install -y -q --no-install-recommends qemu-user-static
  fi
fi

binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
# Register afresh, so the kernel holds the qemu binary installed now.
if [ -e "$binfmt/qemu-i386" ]; then echo -1 | $sudo tee "$binfmt/qemu-i386" >/dev/null; fi
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
echo ":qemu-i386:M::${magic}:${mask}:/usr/bin/qemu-i386-static:F" | $sudo tee "$binfmt/register" >/dev/null

"$probe" --version >/dev/null
