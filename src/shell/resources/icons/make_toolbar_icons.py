#!/usr/bin/env python3
"""Writes the toolbar icon set (toolbar/*.svg) and the application icon.

One drawing language for every icon: a 24 x 24 grid, 1.5 px rounded strokes in slate blue,
light blue fills, amber for documents and text, a green badge for "add" commands. The mid
tones stay readable on light and dark window themes. Run it again after changing a shape.
"""
from pathlib import Path

STROKE = "#3d6a99"
FILL = "#cfe3f5"
AMBER = "#e3a33b"
GREEN = "#3a9d5d"
RED = "#c8463d"

def svg(body):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24" '
            f'fill="none" stroke="{STROKE}" stroke-width="1.5" stroke-linecap="round" '
            f'stroke-linejoin="round">{body}</svg>\n')

def badge_plus():
    return (f'<circle cx="18" cy="18" r="5" fill="{GREEN}" stroke="none"/>'
            '<path d="M18 15.5v5M15.5 18h5" stroke="#fff" stroke-width="1.6"/>')

DOC = f'<path d="M6 3h8l4 4v14H6z" fill="#fff"/><path d="M14 3v4h4"/>'
FOLDER = f'<path d="M3 6h6l2 2h10v11H3z" fill="{FILL}"/>'
DISK = (f'<path d="M4 4h13l3 3v13H4z" fill="{FILL}"/><path d="M8 4v5h8V4"/>'
        '<rect x="7" y="13" width="10" height="7" fill="#fff"/>')
SCREEN = f'<rect x="3" y="4" width="16" height="12" rx="1.5" fill="{FILL}"/><path d="M8 19h6M11 16v3"/>'
GROUP = (f'<rect x="3" y="3" width="15" height="15" rx="1.5" stroke-dasharray="3 2"/>'
         f'<rect x="6" y="6" width="6" height="5" fill="{FILL}"/>')
PICTURE = (f'<rect x="3" y="4" width="16" height="13" rx="1.5" fill="#fff"/>'
           f'<path d="M3 15l5-5 4 4 3-3 4 4" stroke="{GREEN}"/><circle cx="14" cy="8" r="1.5" fill="{AMBER}" stroke="none"/>')
REGION = (f'<rect x="6" y="2.5" width="13" height="11" rx="1.5" fill="{FILL}"/>'
          f'<rect x="3" y="6" width="13" height="11" rx="1.5" fill="#fff"/>'
          f'<path d="M3 15l4-4 3 3 2-2 4 4" stroke="{GREEN}"/>')
TEXT = f'<path d="M4 5h12M10 5v13" stroke="{AMBER}" stroke-width="2.2"/><path d="M7 18h6"/>'
FRAME = (f'<rect x="3" y="5" width="5" height="12" fill="{FILL}"/><rect x="9" y="5" width="5" height="12" fill="#fff"/>'
         f'<path d="M3 5h11M3 17h11"/>')
COPY = f'<rect x="8" y="8" width="12" height="13" rx="1.5" fill="#fff"/><path d="M16 8V4H4v13h4"/>'
PASTE = (f'<rect x="5" y="4" width="14" height="17" rx="1.5" fill="{FILL}"/>'
         f'<rect x="9" y="2.5" width="6" height="3.5" rx="1" fill="#fff"/><rect x="9" y="10" width="11" height="11" fill="#fff"/>')
DELETE = f'<path d="M5 7h14M10 7V4h4v3M7 7l1 14h8l1-14" stroke="{RED}"/><path d="M10.5 11v6M13.5 11v6" stroke="{RED}"/>'
UP = f'<path d="M12 20V5M6 11l6-6 6 6"/>'
DOWN = f'<path d="M12 4v15M6 13l6 6 6-6"/>'
UNDO = f'<path d="M9 5L4 10l5 5"/><path d="M4 10h10a6 6 0 0 1 0 12h-3"/>'
REDO = f'<path d="M15 5l5 5-5 5"/><path d="M20 10H10a6 6 0 0 0 0 12h3"/>'
BUILD = (f'<path d="M4 20l9-9" stroke-width="2.2"/><path d="M13 11l2-2 5 5-2 2z" fill="{AMBER}"/>'
         f'<path d="M14 3l1.2 2.6L18 6.8l-2.8 1.2L14 11l-1.2-3L10 6.8l2.8-1.2z" fill="{AMBER}" stroke="none"/>')
BATCH = (f'<rect x="8" y="3" width="12" height="9" rx="1" fill="{FILL}"/><rect x="5" y="6" width="12" height="9" rx="1" fill="#fff"/>'
         f'<path d="M4 21l7-7" stroke-width="2"/><path d="M11 14l2-2 3 3-2 2z" fill="{AMBER}"/>')
CASEDIR = FOLDER + f'<path d="M14 13h6M17 10l3 3-3 3"/>'
TREE = f'<rect x="3" y="3" width="6" height="5" fill="{FILL}"/><path d="M6 8v10h5M6 13h5"/><rect x="11" y="11" width="9" height="4" fill="#fff"/><rect x="11" y="16" width="9" height="4" fill="#fff"/>'
PROPS = f'<rect x="3" y="4" width="18" height="16" rx="1.5" fill="#fff"/><path d="M3 9h18M3 14h18M10 4v16"/>'
RESOURCES = f'<rect x="3" y="4" width="18" height="16" rx="1.5" fill="#fff"/><rect x="5.5" y="7" width="4" height="4" fill="{FILL}"/><rect x="5.5" y="13" width="4" height="4" fill="{FILL}"/><path d="M12 9h7M12 15h7" stroke="{AMBER}"/>'
LAYERS = f'<path d="M12 3l9 5-9 5-9-5z" fill="{FILL}"/><path d="M3 12l9 5 9-5M3 16l9 5 9-5"/>'
RESIZER = f'<rect x="3" y="9" width="10" height="12" rx="1" fill="{FILL}"/><path d="M13 3h8v8M21 3l-8 8"/>'
DESKTOP = f'<rect x="3" y="3" width="7" height="7" rx="1.5" fill="{FILL}"/><rect x="14" y="3" width="7" height="7" rx="1.5" fill="#fff"/><rect x="3" y="14" width="7" height="7" rx="1.5" fill="#fff"/><path d="M17.5 14v7M14 17.5h7" stroke="{GREEN}" stroke-width="2"/>'
ABOUT = f'<circle cx="12" cy="12" r="9" fill="{FILL}"/><path d="M12 11v6" stroke-width="2"/><circle cx="12" cy="7.5" r="1.2" fill="{STROKE}" stroke="none"/>'
SEARCH = f'<circle cx="10" cy="10" r="6" fill="#fff"/><path d="M15 15l6 6" stroke-width="2"/>'
SAVEALL = f'<path d="M8 2h11l2 2v11" />' + DISK.replace('M4 4h13l3 3v13H4z', 'M3 6h12l3 3v12H3z')

def boxes(*rects):
    return "".join(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="1" fill="{FILL}"/>'
                   for x, y, w, h in rects)

GUIDE = f'stroke="{AMBER}" stroke-width="2"'
ALIGN_LEFT = f'<path d="M3 3v18" {GUIDE}/>' + boxes((5, 5, 14, 5), (5, 14, 9, 5))
ALIGN_RIGHT = f'<path d="M21 3v18" {GUIDE}/>' + boxes((5, 5, 14, 5), (10, 14, 9, 5))
ALIGN_TOP = f'<path d="M3 3h18" {GUIDE}/>' + boxes((5, 5, 5, 14), (14, 5, 5, 9))
ALIGN_BOTTOM = f'<path d="M3 21h18" {GUIDE}/>' + boxes((5, 5, 5, 14), (14, 10, 5, 9))
ALIGN_HCENTRE = boxes((5, 5, 14, 5), (7.5, 14, 9, 5)) + f'<path d="M12 2v20" {GUIDE}/>'
ALIGN_VCENTRE = boxes((5, 5, 5, 14), (14, 7.5, 5, 9)) + f'<path d="M2 12h20" {GUIDE}/>'
DISTRIBUTE_H = boxes((2.5, 6, 4, 12), (10, 6, 4, 12), (17.5, 6, 4, 12)) + f'<path d="M2 21h20" {GUIDE}/>'
DISTRIBUTE_V = boxes((6, 2.5, 12, 4), (6, 10, 12, 4), (6, 17.5, 12, 4)) + f'<path d="M21 2v20" {GUIDE}/>'
SAME_WIDTH = boxes((4, 4, 16, 5), (4, 15, 16, 5)) + f'<path d="M4 12h16M6 10.5L4 12l2 1.5M18 10.5l2 1.5-2 1.5" {GUIDE}/>'
SAME_HEIGHT = boxes((4, 4, 5, 16), (15, 4, 5, 16)) + f'<path d="M12 4v16M10.5 6L12 4l1.5 2M10.5 18l1.5 2 1.5-2" {GUIDE}/>'
SAME_SIZE = boxes((3, 3, 8, 8), (13, 13, 8, 8)) + f'<path d="M13 3h8v8M3 13v8h8" {GUIDE}/>'

ICONS = {
    "new": DOC + badge_plus(),
    "open": FOLDER + f'<path d="M3 19l3-8h16l-3 8z" fill="#fff"/>',
    "save": DISK,
    "save-all": SAVEALL,
    "add-scene": SCREEN + badge_plus(),
    "add-group": GROUP + badge_plus(),
    "add-string": TEXT + badge_plus(),
    "add-picture": PICTURE + badge_plus(),
    "add-region": REGION + badge_plus(),
    "add-frame": FRAME + badge_plus(),
    "copy": COPY,
    "paste": PASTE,
    "delete": DELETE,
    "move-down": DOWN,
    "move-up": UP,
    "undo": UNDO,
    "redo": REDO,
    "build": BUILD,
    "open-case": CASEDIR,
    "tree-panel": TREE,
    "property-panel": PROPS,
    "resource-panel": RESOURCES,
    "layer-panel": LAYERS,
    "resizer": RESIZER,
    "desktop": DESKTOP,
    "batch-build": BATCH,
    "about": ABOUT,
    "search": SEARCH,
    "align-left": ALIGN_LEFT,
    "align-right": ALIGN_RIGHT,
    "align-top": ALIGN_TOP,
    "align-bottom": ALIGN_BOTTOM,
    "align-hcentre": ALIGN_HCENTRE,
    "align-vcentre": ALIGN_VCENTRE,
    "distribute-horizontal": DISTRIBUTE_H,
    "distribute-vertical": DISTRIBUTE_V,
    "same-width": SAME_WIDTH,
    "same-height": SAME_HEIGHT,
    "same-size": SAME_SIZE,
}

def main():
    here = Path(__file__).resolve().parent
    out = here / "toolbar"
    out.mkdir(exist_ok=True)
    for name, body in ICONS.items():
        (out / f"{name}.svg").write_text(svg(body))
    app = ('<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">'
           f'<rect x="4" y="4" width="56" height="56" rx="12" fill="{STROKE}"/>'
           f'<rect x="12" y="14" width="40" height="30" rx="3" fill="{FILL}"/>'
           f'<rect x="17" y="19" width="14" height="10" rx="1.5" fill="#fff"/>'
           f'<path d="M34 21h13M34 26h9" stroke="{AMBER}" stroke-width="3" stroke-linecap="round"/>'
           f'<path d="M17 38l8-6 6 4 6-5 10 7" fill="none" stroke="{GREEN}" stroke-width="3" stroke-linejoin="round" stroke-linecap="round"/>'
           f'<path d="M24 50h16" stroke="{FILL}" stroke-width="4" stroke-linecap="round"/></svg>\n')
    (here / "skinsmith.svg").write_text(app)

if __name__ == "__main__":
    main()
