"""Builds the extension module vellum._vellum with the project's CMake build
(only its target and what it links), for the interpreter running pip, and
takes the version from the CMake project."""

import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                        "-DVELLUM_TESTS=OFF", f"-DPython3_EXECUTABLE={sys.executable}"], check=True)
        jobs = [] if "CMAKE_BUILD_PARALLEL_LEVEL" in os.environ else ["-j", str(os.cpu_count() or 1)]
        subprocess.run(["cmake", "--build", str(build), "--target", "vellum_python", *jobs], check=True)
        built = next((build / "python" / "vellum").glob("_vellum*.so"))
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(\w+ VERSION ([0-9.]+)", text).group(1)


setup(version=project_version(), ext_modules=[Extension("vellum._vellum", sources=[])],
      cmdclass={"build_ext": CMakeBuild})
