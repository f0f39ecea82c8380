"""rootcompare -g as a user sees it: every legend entry whole and inside the
page, every method that took a step with its series in the error panel, PNG
and PDF written by extension, other extensions refused before any work, a
long run still small and renderable, and the file's mode following the umask.

Usage: check_picture.py ROOTCOMPARE WORK
"""
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

PROG, WORK = os.path.abspath(sys.argv[1]), sys.argv[2]
SVG = "{http://www.w3.org/2000/svg}"
ERRORS = []

# Problems whose legends carry every kind of outcome text, and the error
# panel's extent in the page's own coordinates (y up from the bottom).
PROBLEMS = [
    ["-f", "x*x*x - 2*x - 5", "-a", "2", "-b", "3"],
    ["-f", "tan(x)", "-a", "1", "-b", "2"],
    ["-f", "(x-1)^3", "-a", "0.2", "-b", "1.5"],
]
PANEL_X, PANEL_Y = (100, 500), (396, 720)
MAX_BYTES = 5_000_000


def fail(message):
    ERRORS.append(message)


# Under LeakSanitizer: what the cairo driver's libraries keep is theirs.
SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lsan_cairo.supp")
ENV = dict(os.environ, LSAN_OPTIONS=f"suppressions={SUPPRESSIONS}:print_suppressions=0")


def run(args, umask=None):
    before = os.umask(umask) if umask is not None else None
    try:
        return subprocess.run([PROG] + args, cwd=WORK, capture_output=True, timeout=120, env=ENV)
    finally:
        if before is not None:
            os.umask(before)


def table_rows(stdout):
    """(name, steps) of each method row of the table."""
    text = stdout.decode("latin-1")
    rows, inside = [], False
    for line in text.splitlines():
        if line.startswith("m\u00e9todo"):
            inside = True
        elif inside and line.strip():
            match = re.match(r"(.{13})\s*(\d+)", line)
            if not match:
                break
            rows.append((match.group(1).strip(), int(match.group(2))))
        elif inside:
            break
    return rows


def clip_boxes(root):
    boxes = {}
    for clip in root.iter(SVG + "clipPath"):
        points = clip.find(SVG + "polygon").get("points").split()
        xs = [float(p.split(",")[0]) for p in points]
        boxes[clip.get("id")] = (min(xs), max(xs))
    return boxes


def texts(root, boxes):
    """(text, fill, left, right, clip) of every text, x in page units."""
    found = []
    for group in root.iter(SVG + "g"):
        clip = re.search(r"#([^)]*)", group.get("clip-path", ""))
        for node in group.findall(SVG + "text"):
            content = "".join(node.itertext())
            size = float(node.get("font-size"))
            origin = float(node.get("transform").split()[4]) + float(node.get("x"))
            width = 0.62 * size * len(content)  # generous: sans-serif runs narrower
            anchor = node.get("text-anchor", "start")
            left = origin - {"start": 0, "middle": width / 2, "end": width}[anchor]
            box = boxes.get(clip.group(1)) if clip else None
            found.append((content, node.get("fill"), left, left + width, box))
    return found


def series_colours(root):
    """Colours of the lines inside the error panel."""
    colours = set()
    for line in root.iter(SVG + "polyline"):
        points = [tuple(map(float, p.split(","))) for p in line.get("points").split()]
        if len(points) >= 2 and all(
            PANEL_X[0] - 2 <= x <= PANEL_X[1] + 2 and PANEL_Y[0] - 2 <= y <= PANEL_Y[1] + 2
            for x, y in points
        ):
            colours.add(line.get("stroke"))
    return colours


def check_svg(args, series=True):
    name = " ".join(args)
    done = run(args + ["-g", "dibujo.svg"])
    if done.returncode != 0:
        return fail(f"{name}: status {done.returncode}")
    root = ET.parse(os.path.join(WORK, "dibujo.svg")).getroot()
    all_texts = texts(root, clip_boxes(root))
    colours = series_colours(root)
    for method, steps in table_rows(done.stdout):
        entries = [t for t in all_texts if t[0].startswith(method + ": ")]
        if len(entries) != 1:
            fail(f"{name}: {len(entries)} legend entries for {method}")
            continue
        text, fill, left, right, box = entries[0]
        limits = box if box else (0, 1000)
        if left < limits[0] - 1 or right > min(limits[1], 1000) + 1:
            fail(f"{name}: legend entry '{text}' spans {left:.0f}..{right:.0f}, "
                 f"outside {limits}")
        if series and steps > 0 and fill not in colours:
            fail(f"{name}: {method} took {steps} steps but has no series ({fill})")
    if os.path.getsize(os.path.join(WORK, "dibujo.svg")) > MAX_BYTES:
        fail(f"{name}: SVG over {MAX_BYTES} bytes")
    rendered = subprocess.run(["rsvg-convert", "dibujo.svg", "-o", "dibujo.png"], cwd=WORK)
    if rendered.returncode != 0:
        fail(f"{name}: rsvg-convert failed")


def check_formats():
    for extension, magic in ((".png", b"\x89PNG"), (".pdf", b"%PDF")):
        done = run(["-g", "formato" + extension])
        path = os.path.join(WORK, "formato" + extension)
        if done.returncode != 0 or not os.path.exists(path):
            fail(f"{extension}: status {done.returncode}")
            continue
        with open(path, "rb") as picture:
            if picture.read(4) != magic:
                fail(f"{extension}: not a {extension} file")
    done = run(["-f", "x", "-g", "formato.jpg"])
    if done.returncode != 4 or done.stdout or os.path.exists(os.path.join(WORK, "formato.jpg")):
        fail(f".jpg: status {done.returncode}, output {done.stdout!r}")
    # A folder, or a link to a device, is never renamed over.
    os.makedirs(os.path.join(WORK, "carpeta.svg"), exist_ok=True)
    enlace = os.path.join(WORK, "nulo.svg")
    if os.path.lexists(enlace):
        os.remove(enlace)
    os.symlink("/dev/null", enlace)
    for target in ("carpeta.svg", "nulo.svg"):
        done = run(["-g", target])
        if done.returncode != 5 or done.stdout or not os.path.exists("/dev/null"):
            fail(f"{target}: status {done.returncode}, output {done.stdout!r}")
    if not os.path.isdir(os.path.join(WORK, "carpeta.svg")) or not os.path.islink(enlace):
        fail("a folder or a link was replaced by the picture")


def check_long_run():
    """No method converges on a pole: no x*, so no error series to ask for."""
    args = ["-f", "1/(x-1.1)", "-a", "0", "-b", "2", "-t", "0", "-n", "100000"]
    check_svg(args, series=False)


def check_mode():
    for mask, mode in ((0o022, 0o644), (0o077, 0o600), (0o002, 0o664)):
        done = run(["-g", "modo.svg"], umask=mask)
        path = os.path.join(WORK, "modo.svg")
        got = os.stat(path).st_mode & 0o777 if done.returncode == 0 else None
        if got != mode:
            fail(f"umask {mask:03o}: mode {got and oct(got)}, expected {oct(mode)}")
        os.remove(path)


os.makedirs(WORK, exist_ok=True)
for problem in PROBLEMS:
    check_svg(problem)
check_formats()
check_long_run()
check_mode()
for error in ERRORS:
    print(error)
sys.exit(1 if ERRORS else 0)
