"""The README's Python examples, run as written (doctest)."""

import doctest
import pathlib
import re

README = pathlib.Path(__file__).resolve().parents[2] / "README.md"


def test_readme_python_examples():
    texto = README.read_text(encoding="utf-8")
    bloques = re.findall(r"^```python\n(.*?)^```", texto, re.S | re.M)
    assert len(bloques) >= 3
    prueba = doctest.DocTestParser().get_doctest("\n".join(bloques), {}, "README", str(README), 0)
    assert prueba.examples
    resultado = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS).run(prueba)
    assert resultado.failed == 0
