#!/usr/bin/env python3
# Asks GNOME's own thumbnail factory (GnomeDesktop.DesktopThumbnailFactory, as Files uses it)
# for thumbnails, which runs the installed thumbnailers in its bubblewrap sandbox. Each
# argument is "PATH SIZE EXPECTED": SIZE 128 or 256, EXPECTED the pixbuf's side (with a
# transparent top-left corner), or 0 when the factory must refuse the file.
#   scripts/thumbnail-factory-check.py "FILE 256 48" "OTHER 256 0" ...
import sys
import gi
gi.require_version("GnomeDesktop", "3.0")
from gi.repository import GLib, Gio, GnomeDesktop

sizes = {128: GnomeDesktop.DesktopThumbnailSize.NORMAL, 256: GnomeDesktop.DesktopThumbnailSize.LARGE}
failed = 0
for case in sys.argv[1:]:
    path, size, expected = case.rsplit(" ", 2)
    size, expected = int(size), int(expected)
    file = Gio.File.new_for_path(path)
    info = file.query_info("standard::content-type,time::modified", Gio.FileQueryInfoFlags.NONE, None)
    mime = info.get_content_type()
    factory = GnomeDesktop.DesktopThumbnailFactory.new(sizes[size])
    if not factory.can_thumbnail(file.get_uri(), mime, info.get_attribute_uint64("time::modified")):
        print(f"FAIL {path}: the factory has no thumbnailer for {mime}")
        failed += 1
        continue
    message = ""
    try:
        pixbuf = factory.generate_thumbnail(file.get_uri(), mime, None)
    except GLib.Error as error:
        pixbuf, message = None, error.message
    if expected == 0:
        ok = pixbuf is None
        print(("ok" if ok else "FAIL") + f" {path} ({mime}): refused ({message})")
    else:
        ok = pixbuf is not None and pixbuf.get_width() == expected and pixbuf.get_height() == expected
        corner = None
        if ok:
            ok = pixbuf.get_has_alpha() and pixbuf.get_n_channels() == 4
            corner = pixbuf.get_pixels()[3] if ok else None
            ok = ok and corner == 0
        shown = f"{pixbuf.get_width()}x{pixbuf.get_height()}, corner alpha {corner}" if pixbuf else message
        print(("ok" if ok else "FAIL") + f" {path} ({mime}) at {size}: {shown}, expected {expected}x{expected}")
    failed += 0 if ok else 1
sys.exit(1 if failed else 0)
