"""The notebook of python/ejemplos run headless, in this environment's kernel."""

import os
import pathlib
import sys

import nbformat
from nbclient import NotebookClient

EJEMPLOS = pathlib.Path(__file__).resolve().parent.parent / "ejemplos"


def test_notebooks_run_headless(monkeypatch):
    # The kernel of this environment (scripts/instala_python installs it), before any other.
    monkeypatch.setenv("JUPYTER_PATH", os.path.join(sys.prefix, "share", "jupyter"))
    monkeypatch.setenv("PYDEVD_DISABLE_FILE_VALIDATION", "1")
    cuadernos = sorted(EJEMPLOS.glob("*.ipynb"))
    assert cuadernos
    for ruta in cuadernos:
        nb = nbformat.read(ruta, as_version=4)
        NotebookClient(nb, timeout=120, kernel_name="python3",
                       resources={"metadata": {"path": str(EJEMPLOS)}}).execute()
        salidas = [o for c in nb.cells if c.cell_type == "code" for o in c.outputs]
        assert not [o for o in salidas if o.output_type == "error"]
        assert any("image/png" in o.get("data", {}) for o in salidas)  # the race's figure
