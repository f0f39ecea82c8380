"""Construye el módulo raices: CMake compila la extensión _raices con las
bibliotecas de la suite (el repositorio, un nivel por encima de python/) y
la copia dentro del paquete. Se instala sin red:
pip install --no-build-isolation ./python"""

import os
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ = os.path.dirname(AQUI)


def version():
    """La versión de la suite: la de project() en CMakeLists.txt."""
    with open(os.path.join(RAIZ, "CMakeLists.txt"), encoding="utf-8") as f:
        return re.search(r"project\(raices VERSION ([0-9.]+)", f.read()).group(1)


class ConCMake(build_ext):
    """La extensión _raices, construida por CMake desde el repositorio."""

    def build_extension(self, ext):
        construccion = os.environ.get("RAICES_PYTHON_BUILD", os.path.join(RAIZ, "build", "python"))
        subprocess.run(
            [
                "cmake", "-S", RAIZ, "-B", construccion, "-DCMAKE_BUILD_TYPE=Release",
                "-DRAICES_BUILD_PYTHON=ON", "-DRAICES_BUILD_TESTS=OFF",
                "-DRAICES_BUILD_BENCHMARKS=OFF", "-DCMAKE_POSITION_INDEPENDENT_CODE=ON",
                "-DPython_EXECUTABLE=" + sys.executable,
            ]
            # scripts/check builds with warnings as errors, as everything else
            # (kept by a later build in the same folder, which then recompiles nothing).
            + (["-DRAICES_WERROR=ON"] if os.environ.get("RAICES_WERROR") == "1" else []),
            check=True, stdout=subprocess.DEVNULL,
        )
        subprocess.run(["cmake", "--build", construccion, "--target", "_raices", "-j2"], check=True)
        hecho = os.path.join(construccion, "python", os.path.basename(self.get_ext_filename(ext.name)))
        destino = self.get_ext_fullpath(ext.name)
        os.makedirs(os.path.dirname(destino), exist_ok=True)
        shutil.copyfile(hecho, destino)


setup(
    name="raices",
    version=version(),
    description="Raíces de funciones reales: métodos clásicos con veredicto, todas las raíces "
    "de un intervalo, demostraciones con bolas y la carrera de los métodos",
    packages=["raices"],
    ext_modules=[Extension("raices._raices", sources=[])],
    cmdclass={"build_ext": ConCMake},
    python_requires=">=3.9",
    install_requires=["numpy"],
    zip_safe=False,
)
