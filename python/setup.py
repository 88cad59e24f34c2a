"""Builds the yuedu package: the extension module and the data files come from the project's own
CMake build (-DYUEDU_PYTHON=ON), so everything is built from Debian packages only.

    /usr/bin/python3 -m venv --system-site-packages .venv
    .venv/bin/pip install --no-build-isolation ./python

The CMake build goes into build-python/ beside this folder (YUEDU_BUILD_DIR names another one,
e.g. the tree ./test.sh has already built, which is then only brought up to date)."""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = Path(__file__).resolve().parent
TOP = HERE.parent
MODULES = ("yuedu-pdf", "yuedu-zip", "yuedu-opencc")
DATA_FILES = ("gdphvbdn.byt", "dpphvbdn.byt", "phwdvbdn.byt", "userword.apd")


def project_version():
    text = (TOP / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(Yuedu VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    def run(self):
        build = Path(os.environ.get("YUEDU_BUILD_DIR") or TOP / "build-python").resolve()
        configure = [
            "cmake", "-S", str(TOP), "-B", str(build),
            "-DYUEDU_PYTHON=ON",
            f"-DPython_EXECUTABLE={sys.executable}",
        ]
        if not (build / "CMakeCache.txt").exists():
            # A tree of its own needs only the core, the module and the data builder.
            configure += [
                "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                "-DYUEDU_BUILD_GUI=OFF", "-DYUEDU_BUILD_TESTS=OFF", "-DYUEDU_BUILD_BENCH=OFF",
            ]
            if shutil.which("ninja"):
                configure += ["-G", "Ninja"]
        subprocess.run(configure, check=True)
        jobs = os.environ.get("YUEDU_BUILD_JOBS") or str(min(os.cpu_count() or 1, 2))
        subprocess.run(["cmake", "--build", str(build), "-j", jobs,
                        "--target", "yuedu_python", "yuedu_data", *MODULES],
                       check=True)

        built = sorted((build / "src" / "python").glob("_yuedu*.so"))
        if not built:
            raise RuntimeError(f"the extension module was not built in {build}/src/python")
        target = Path(self.get_ext_fullpath("yuedu._yuedu"))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built[-1], target)
        # The readers of PDFs and zip containers, and the conversion of Simplified Chinese, load
        # their modules from beside the extension.
        for module in MODULES:
            shutil.copyfile(build / "modules" / f"{module}.so", target.parent / f"{module}.so")
        # The data files go into the package, where Analyzer() finds them.
        data = target.parent / "data"
        data.mkdir(exist_ok=True)
        for name in DATA_FILES:
            shutil.copyfile(build / "data" / name, data / name)


setup(
    name="yuedu",
    version=project_version(),
    description="Analyses of Traditional Chinese text (閱讀分析系統): segmentation, "
                "structure profile, vocabulary grades, word frequency, sense classes",
    license="GPL-3.0-or-later",
    packages=["yuedu"],
    package_data={"yuedu": ["py.typed", "*.pyi"]},
    ext_modules=[Extension("yuedu._yuedu", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    python_requires=">=3.9",
    zip_safe=False,
)
