"""The pictures of rootcompare and rootscan (-g) as a user sees them.

Both programs: the format follows the extension (an SVG that is well-formed
XML and renders to PNG, a PNG, a PDF), other extensions are refused before
any work, a picture that cannot be written leaves nothing behind and writes
nothing on standard output, a folder or a link is never renamed over, the
file's mode follows the umask, and a picture beyond the size the process
may write is refused with its temporary file removed. What the curve of f shows: its y range
follows f's own values with numbers written in full (no multiplier), a
removable point is an open circle and not a singular line, an undefined
stretch is shaded, a curve clipped at a pole is marked, and an interval a
few ulps wide is drawn with A and B marked.

rootcompare: every method of the table (read from the method table itself)
has one legend entry, whole and inside the page, and a series in the error
panel when it took a step; a long run stays small. rootscan: the text names
the roots and the singular points.

Usage: check_pictures.py ROOTCOMPARE ROOTSCAN METODOS_H WORK
"""
import os
import re
import resource
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

COMPARE, SCAN = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
METODOS_H, WORK = sys.argv[3], sys.argv[4]
SVG = "{http://www.w3.org/2000/svg}"
ERRORS = []

# The f panel of each program in page units (x right, from the page's left):
# PLplot's viewports times the page's width.
F_PANEL_X = {COMPARE: (100, 970), SCAN: (90, 666)}
F_PANEL_Y = {COMPARE: (840, 1140), SCAN: (67, 504)}  # y up from the bottom, as PLplot writes
# rootcompare's error panel, y up from the page's bottom as PLplot writes it.
ERROR_PANEL_X, ERROR_PANEL_Y = (100, 500), (396, 720)
SHADE = "#E1E1E1"
RING, UP, DOWN = "\u25cb", "\u25b3", "\u25bd"
MAX_BYTES = 5_000_000

# Under LeakSanitizer: what the cairo driver's libraries keep is theirs.
SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lsan_cairo.supp")
ENV = dict(os.environ, LSAN_OPTIONS=f"suppressions={SUPPRESSIONS}:print_suppressions=0",
           LC_CTYPE="es_ES.ISO-8859-1")
ENV.pop("LC_ALL", None)


def fail(message):
    ERRORS.append(message)


def method_names():
    """The names the method table gives its methods, in its order: the rows
    of its tuple Metodos, each named by the descriptor of its adapter in one
    of the headers the table includes."""
    with open(METODOS_H, encoding="latin-1") as header:
        table = header.read()
    rows = re.search(r"using Metodos =\s*std::tuple<([^>]*)>", table).group(1)
    names = {}
    for included in re.findall(r'#include "([a-z_]+\.h)"', table):
        path = os.path.join(os.path.dirname(METODOS_H), included)
        with open(path, encoding="latin-1") as header:
            text = header.read()
        for row, name in re.findall(
            r'\nstruct (\w+)[^{;]*\{[^}]*descriptor\{\s*"[^"]*",\s*"((?:[^"\\]|\\.)*)"', text
        ):
            names[row] = name.encode("latin-1").decode("unicode_escape")
    return [names[row.strip()] for row in rows.split(",")]


def run(prog, args, umask=None, file_limit=None):
    before = os.umask(umask) if umask is not None else None

    def limit():
        if file_limit is not None:
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_limit, file_limit))

    try:
        return subprocess.run([prog] + args, cwd=WORK, capture_output=True, timeout=60, env=ENV,
                              preexec_fn=limit)
    except subprocess.TimeoutExpired:
        return subprocess.CompletedProcess(args, "hung", b"", b"")
    finally:
        if before is not None:
            os.umask(before)


def draw(prog, args, name="dibujo.svg"):
    """The SVG's root for a run that must draw, or None."""
    done = run(prog, args + ["-g", name])
    if done.returncode != 0:
        fail(f"{os.path.basename(prog)} {' '.join(args)}: status {done.returncode}")
        return None, done
    with open(os.path.join(WORK, name), encoding="utf-8") as svg:
        if re.search(r'(transform|points|x|y)="[^"]*(nan|inf)', svg.read()):
            fail(f"{os.path.basename(prog)} {' '.join(args)}: a coordinate not finite")
    return ET.parse(os.path.join(WORK, name)).getroot(), done


def clip_boxes(root):
    boxes = {}
    for clip in root.iter(SVG + "clipPath"):
        polygon = clip.find(SVG + "polygon")
        if polygon is None:
            continue
        xs = [float(p.split(",")[0]) for p in polygon.get("points").split()]
        boxes[clip.get("id")] = (min(xs), max(xs))
    return boxes


def texts(root):
    """(text, fill, left, right, clip, x, y) of every text, in page units."""
    boxes = clip_boxes(root)
    found = []
    for group in root.iter(SVG + "g"):
        clip = re.search(r"#([^)]*)", group.get("clip-path", ""))
        for node in group.findall(SVG + "text"):
            content = "".join(node.itertext())
            size = float(node.get("font-size"))
            matrix = node.get("transform").replace("matrix(", "").rstrip(")").split()
            origin, height = float(matrix[4]) + float(node.get("x")), float(matrix[5])
            width = 0.62 * size * len(content)  # generous: sans-serif runs narrower
            anchor = node.get("text-anchor", "start")
            left = origin - {"start": 0, "middle": width / 2, "end": width}[anchor]
            box = boxes.get(clip.group(1)) if clip else None
            found.append((content, node.get("fill"), left, left + width, box, origin, height))
    return found


def strings(root):
    return [t[0] for t in texts(root)]


def polylines(root):
    """(stroke, fill, points) of every line and filled shape."""
    for line in root.iter(SVG + "polyline"):
        points = [tuple(map(float, p.split(","))) for p in line.get("points").split()]
        yield line.get("stroke"), line.get("fill"), points


def y_labels(prog, root):
    """The numbers written left of the f panel: its y axis."""
    left, (bottom, top) = F_PANEL_X[prog][0], F_PANEL_Y[prog]
    values = []
    for text, _, _, right, _, _, y in texts(root):
        try:
            value = float(text)
        except ValueError:
            continue
        if right <= left + 2 and bottom - 10 <= y <= top + 10:
            values.append(value)
    return values


# ---- both programs ----------------------------------------------------------


def check_formats(prog):
    name = os.path.basename(prog)
    for extension, magic in ((".png", b"\x89PNG"), (".pdf", b"%PDF")):
        done = run(prog, ["-f", "(x-1)^2*(x-2)", "-a", "0", "-b", "3", "-g", "formato" + extension])
        path = os.path.join(WORK, "formato" + extension)
        if done.returncode != 0 or not os.path.exists(path):
            fail(f"{name} {extension}: status {done.returncode}")
            continue
        with open(path, "rb") as picture:
            if picture.read(4) != magic:
                fail(f"{name} {extension}: not a {extension} file")
    root, _ = draw(prog, ["-f", "x*x*x - 2*x - 5", "-a", "2", "-b", "3"])
    if root is not None:
        rendered = subprocess.run(["rsvg-convert", "dibujo.svg", "-o", "dibujo.png"], cwd=WORK)
        if rendered.returncode != 0 or os.path.getsize(os.path.join(WORK, "dibujo.png")) < 1000:
            fail(f"{name}: the SVG does not render to PNG")


def check_refusals(prog):
    """Refusals and failures: nothing on standard output, the expected status,
    no file left behind; a folder or a link to a device never replaced."""
    name = os.path.basename(prog)
    failures = os.path.join(WORK, "fallos")
    os.makedirs(os.path.join(failures, "carpeta.svg"), exist_ok=True)
    with open(os.path.join(failures, "fichero"), "w", encoding="ascii"):
        pass
    link = os.path.join(WORK, "nulo.svg")
    if os.path.lexists(link):
        os.remove(link)
    os.symlink("/dev/null", link)
    for status, path in ((4, "fallos/dibujo.txt"), (4, "fallos/svg"), (5, "fallos/no/existe.svg"),
                         (5, "fallos/fichero/x.svg"), (5, "fallos/carpeta.svg"), (5, "nulo.svg")):
        done = run(prog, ["-f", "x", "-g", path])
        left = sorted(set(os.listdir(failures)) - {"carpeta.svg", "fichero"})
        if done.returncode != status or done.stdout or left:
            fail(f"{name} -g {path}: status {done.returncode}, output {done.stdout[:80]!r}, "
                 f"files {left}")
    done = run(prog, ["-f", "x +", "-g", "fallos/mala.svg"])
    if done.returncode != 4 or done.stdout or os.path.exists(os.path.join(failures, "mala.svg")):
        fail(f"{name}: a bad expression with -g: status {done.returncode}")
    if not os.path.islink(link) or not os.path.isdir(os.path.join(failures, "carpeta.svg")):
        fail(f"{name}: a folder or a link was replaced by the picture")


def check_bounded(prog):
    """A picture larger than the files the process may write: refused with
    status 5 and a message, the temporary file removed."""
    name = os.path.basename(prog)
    done = run(prog, ["-f", "sin(x)", "-a", "0", "-b", "10", "-g", "grande.svg"],
               file_limit=16 * 1024)
    left = [f for f in os.listdir(WORK) if f.startswith("." + name + "-") or f == "grande.svg"]
    if done.returncode != 5 or b"excede" not in done.stderr or left:
        fail(f"{name} over its file limit: status {done.returncode}, "
             f"stderr {done.stderr[-120:]!r}, files {left}")


def check_mode(prog):
    for mask, mode in ((0o022, 0o644), (0o077, 0o600), (0o002, 0o664)):
        done = run(prog, ["-f", "x", "-g", "modo.svg"], umask=mask)
        path = os.path.join(WORK, "modo.svg")
        got = os.stat(path).st_mode & 0o777 if done.returncode == 0 else None
        if got != mode:
            fail(f"{os.path.basename(prog)} umask {mask:03o}: mode {got and oct(got)}, "
                 f"expected {oct(mode)}")
        if os.path.exists(path):
            os.remove(path)


def check_ranges(prog, args):
    """The y axis spans f's own values, 0 to its maximum 1, with no multiplier."""
    root, _ = draw(prog, args)
    if root is None:
        return
    labels = y_labels(prog, root)
    if not labels or not 0.9 <= max(labels) <= 1.6 or min(labels) > 0:
        fail(f"{os.path.basename(prog)} {' '.join(args)}: y axis numbered {labels}")
    if any(t.startswith("(x10") for t in strings(root)):
        fail(f"{os.path.basename(prog)} {' '.join(args)}: an axis multiplier")


def check_removable(prog, curve_colour):
    """sin(x)/x at 0: an open circle on the curve at (0, 1), not a singular line."""
    args = ["-f", "sin(x)/x", "-a", "-10", "-b", "10"]
    root, _ = draw(prog, args)
    if root is None:
        return
    found = texts(root)
    left, right = F_PANEL_X[prog]
    rings = [t for t in found if t[0] == RING and t[1] == curve_colour and left < t[5] < right]
    if len(rings) != 1 or abs(rings[0][5] - (left + right) / 2) > 3:
        fail(f"{os.path.basename(prog)} sin(x)/x: rings {[(r[1], r[5]) for r in rings]}")
    if not any("punto evitable" in t[0] for t in found) or "punto singular" in strings(root):
        fail(f"{os.path.basename(prog)} sin(x)/x: texts {strings(root)}")


def check_shaded(prog):
    """sqrt(x^2 - 1) over [-3, 3]: [-1, 1] shaded, a third of the panel."""
    root, _ = draw(prog, ["-f", "sqrt(x^2 - 1) - 0.5", "-a", "-3", "-b", "3"])
    if root is None:
        return
    left, right = F_PANEL_X[prog]
    third = (right - left) / 3
    spans = [(min(x for x, _ in p), max(x for x, _ in p))
             for _, fill, p in polylines(root) if fill == SHADE]
    inside = [(lo, hi) for lo, hi in spans if lo >= left - 1 and hi <= right]
    if not any(abs(lo - (left + third)) < 4 and abs(hi - (right - third)) < 4 for lo, hi in inside):
        fail(f"{os.path.basename(prog)} sqrt: shaded {inside}")
    if not any("f no definida" in t for t in strings(root)):
        fail(f"{os.path.basename(prog)} sqrt: no 'f no definida' in {strings(root)}")


def check_clipped(prog, text):
    """1/(x - 1.1): the range holds f's usual size, the pole's values leave it, marked."""
    root, _ = draw(prog, ["-f", "1/(x - 1.1)", "-a", "0", "-b", "2"])
    if root is None:
        return
    labels = y_labels(prog, root)
    if not labels or max(labels) > 20:
        fail(f"{os.path.basename(prog)} 1/(x - 1.1): y axis numbered {labels}")
    found = strings(root)
    if not any(text in t for t in found) or not any(UP in t for t in found):
        fail(f"{os.path.basename(prog)} 1/(x - 1.1): no clipping marked in {found}")


def check_extreme_values(prog):
    """Values of f near both ends of the doubles, over ordinary and extreme
    windows: every coordinate finite (a cairo picture stops drawing at the
    first that is not)."""
    for f in ("1e-320*x", "1e308*x", "1/x"):
        for a, b in (("-1", "1"), ("-1.7976931348623157e308", "1.7976931348623157e308")):
            draw(prog, ["-f", f, "-a", a, "-b", b])


def check_narrow(prog, text):
    """An interval one ulp wide: drawn, its x axis numbered with distinct numbers."""
    root, _ = draw(prog, ["-f", "x - 1", "-a", "1", "-b", "1.0000000000000002"])
    if root is None:
        return
    left, right = F_PANEL_X[prog]
    numbers = [t[0] for t in texts(root) if re.fullmatch(r"-?[0-9.e+-]+", t[0])]
    if len(set(numbers)) < 4 or not any(text in t for t in strings(root)):
        fail(f"{os.path.basename(prog)} 1 ulp: texts {strings(root)}")


# ---- rootcompare ------------------------------------------------------------


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


def series_colours(root):
    """Colours of the lines inside the error panel."""
    colours = set()
    for stroke, _, points in polylines(root):
        if len(points) >= 2 and all(
            ERROR_PANEL_X[0] - 2 <= x <= ERROR_PANEL_X[1] + 2
            and ERROR_PANEL_Y[0] - 2 <= y <= ERROR_PANEL_Y[1] + 2
            for x, y in points
        ):
            colours.add(stroke)
    return colours


def check_legend(args, series=True):
    name = " ".join(args)
    root, done = draw(COMPARE, args)
    if root is None:
        return
    found = texts(root)
    colours = series_colours(root)
    rows = dict(table_rows(done.stdout))
    for method in method_names():
        if method not in rows:
            fail(f"{name}: {method} has no row in the table")
            continue
        entries = [t for t in found if t[0].startswith(method + ": ")]
        if len(entries) != 1:
            fail(f"{name}: {len(entries)} legend entries for {method}")
            continue
        text, fill, left, right, box = entries[0][:5]
        limits = box if box else (0, 1000)
        if left < limits[0] - 1 or right > min(limits[1], 1000) + 1:
            fail(f"{name}: legend entry '{text}' spans {left:.0f}..{right:.0f}, "
                 f"outside {limits}")
        if series and rows[method] > 0 and fill not in colours:
            fail(f"{name}: {method} took {rows[method]} steps but has no series ({fill})")
    if os.path.getsize(os.path.join(WORK, "dibujo.svg")) > MAX_BYTES:
        fail(f"{name}: SVG over {MAX_BYTES} bytes")


def check_compare():
    if len(method_names()) < 8:
        fail(f"the method table reads as {method_names()}")
    for problem in (["-f", "x*x*x - 2*x - 5", "-a", "2", "-b", "3"],
                    ["-f", "tan(x)", "-a", "1", "-b", "2"],
                    ["-f", "(x-1)^3", "-a", "0.2", "-b", "1.5"]):
        check_legend(problem)
    # No method converges on a pole: no x*, so no error series to ask for.
    check_legend(["-f", "1/(x-1.1)", "-a", "0", "-b", "2", "-t", "0", "-n", "100000"],
                 series=False)
    check_ranges(COMPARE, ["-f", "exp(-x)", "-a", "0", "-b", "1000"])
    check_removable(COMPARE, "#000000")
    check_clipped(COMPARE, "f sigue fuera del panel")
    check_narrow(COMPARE, "[A, B]")


# ---- rootscan ---------------------------------------------------------------


def check_scan():
    root, _ = draw(SCAN, ["-f", "tan(x)", "-a", "0", "-b", "10"])
    if root is not None:
        for text in ("tan(x): 4 ra\u00edces", "punto singular"):
            if not any(text in t for t in strings(root)):
                fail(f"rootscan tan(x): '{text}' not in {strings(root)}")
    check_ranges(SCAN, ["-f", "exp(-x^2)", "-a", "-30", "-b", "30"])
    check_removable(SCAN, "#0072B2")
    check_clipped(SCAN, "f fuera del dibujo")
    check_narrow(SCAN, "[A, B]")


shutil.rmtree(WORK, ignore_errors=True)  # nothing left from an earlier run
os.makedirs(WORK)
for program in (COMPARE, SCAN):
    check_formats(program)
    check_refusals(program)
    check_mode(program)
    check_bounded(program)
    check_shaded(program)
    check_extreme_values(program)
check_compare()
check_scan()
for error in ERRORS:
    print(error)
sys.exit(1 if ERRORS else 0)
