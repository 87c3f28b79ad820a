import gc
import io
import os
import subprocess
import tempfile
import threading
import unittest

import numpy as np
from PIL import Image

import vellum
from support import SAMPLES, c_render, filled_rectangle, wmf


class RenderMatchesTheCLibrary(unittest.TestCase):
    def test_every_sample_under_each_kind_of_option(self):
        cases = [  # keyword arguments, and what libvellum is given for them
            ({}, (200, 200, False, 0)),
            ({"width": 333}, (333, 0, False, 0)),
            ({"height": 90}, (0, 90, False, 0)),
            ({"width": 120, "height": 400, "background": "#336699"}, (120, 400, False, 0xFF336699)),
            ({"width": 0, "height": 0, "background": (1, 2, 3, 128)}, (0, 0, False, 0x80010203)),
            ({"width": 150, "mode": "exact", "background": "white"}, (150, 0, True, 0xFFFFFFFF)),
        ]
        for path in SAMPLES:
            for kwargs, c_args in cases:
                with self.subTest(path=path.name, **{k: str(v) for k, v in kwargs.items()}):
                    picture = vellum.render(path, **kwargs)
                    width, height, pixels = c_render(path, *c_args)
                    self.assertEqual((picture.width, picture.height), (width, height))
                    self.assertEqual(np.asarray(picture).tobytes(), pixels)

    def test_bytes_bytearray_and_memoryview_render_as_the_file_does(self):
        path = SAMPLES[0]
        data = path.read_bytes()
        expected = np.asarray(vellum.render(path, width=64)).tobytes()
        for source in (data, bytearray(data), memoryview(data)):
            with self.subTest(kind=type(source).__name__):
                self.assertEqual(np.asarray(vellum.render(source, width=64)).tobytes(), expected)

    def test_fitting_keeps_the_aspect(self):
        natural = vellum.render(SAMPLES[0], width=0, height=0)
        wide = vellum.render(SAMPLES[0], width=2 * natural.width)
        self.assertEqual(wide.height, 2 * natural.height)
        boxed = vellum.render(SAMPLES[0], width=1000, height=natural.height)
        self.assertEqual((boxed.width, boxed.height), (natural.width, natural.height))


class PixelsAndOutputs(unittest.TestCase):
    def setUp(self):
        self.picture = vellum.render(SAMPLES[0], width=120)

    def test_numpy_shares_the_pixels_read_only_and_keeps_them_alive(self):
        a, b = np.asarray(self.picture), np.asarray(self.picture)
        self.assertEqual(a.shape, (self.picture.height, self.picture.width, 4))
        self.assertEqual(a.dtype, np.uint8)
        self.assertTrue(np.shares_memory(a, b))
        self.assertFalse(a.flags.writeable)
        expected = a.copy()
        del self.picture, b
        gc.collect()
        # Under the sanitizers, pixels freed with the picture would fail here.
        self.assertTrue(np.array_equal(a, expected))

    def test_png_and_pillow_carry_the_same_picture(self):
        from_png = np.asarray(Image.open(io.BytesIO(self.picture.to_png())).convert("RGBA"), dtype=int)
        from_pil = np.asarray(self.picture.to_pil(), dtype=int)
        bgra = np.asarray(self.picture)
        self.assertTrue(np.array_equal(from_png[..., 3], bgra[..., 3]))
        self.assertLessEqual(np.abs(from_png - from_pil).max(), 1)  # unpremultiplied, each rounding its own way
        opaque = bgra[..., 3] == 255
        self.assertTrue(opaque.any())
        self.assertTrue(np.array_equal(from_pil[opaque][:, :3], bgra[opaque][:, 2::-1]))

    def test_png_file_is_written_whole_without_leftovers(self):
        with tempfile.TemporaryDirectory() as folder:
            target = os.path.join(folder, "out.png")
            self.picture.to_png(target)
            self.assertEqual(os.listdir(folder), ["out.png"])
            with open(target, "rb") as f:
                self.assertEqual(f.read(), self.picture.to_png())
            with self.assertRaisesRegex(OSError, "missing/out.png: No such file"):
                self.picture.to_png(os.path.join(folder, "missing", "out.png"))

    def test_channels_are_blue_green_red_alpha_in_memory(self):
        picture = vellum.render(wmf((0, 0, 100, 50), filled_rectangle(0xFF8000, 10, 10, 50, 40)), width=0, height=0)
        pixels = np.asarray(picture)
        self.assertEqual(pixels[20, 20].tolist(), [0x00, 0x80, 0xFF, 0xFF])
        self.assertEqual(pixels[5, 5].tolist(), [0, 0, 0, 0])
        self.assertEqual(picture.to_pil().getpixel((20, 20)), (0xFF, 0x80, 0x00, 0xFF))

    def test_opaque_background_covers_every_pixel(self):
        picture = vellum.render(SAMPLES[0], width=80, background="black")
        self.assertTrue((np.asarray(picture)[..., 3] == 255).all())


class Errors(unittest.TestCase):
    def test_inputs_that_are_no_picture_raise_with_the_reason(self):
        cases = [
            ("/nonexistent/picture.wmf", FileNotFoundError, "No such file"),
            (os.path.dirname(__file__), IsADirectoryError, "Is a directory"),
            (b"garbage " * 40, vellum.Error, "<bytes>: not a metafile"),
            (b"", vellum.Error, "<bytes>: no data"),
            (SAMPLES[0].read_bytes()[:30], vellum.Error, "not a metafile"),
        ]
        for source, error, reason in cases:
            with self.subTest(source=str(source)[:40]):
                with self.assertRaisesRegex(error, reason):
                    vellum.render(source)

    def test_arguments_out_of_range_are_refused(self):
        for kwargs in ({"width": -1}, {"height": 40000}, {"width": 2.5}, {"mode": "fast"},
                       {"background": "#12345"}, {"background": (1, 2)}, {"background": (0, 0, 256)}):
            with self.subTest(**{k: str(v) for k, v in kwargs.items()}):
                with self.assertRaises(ValueError):
                    vellum.render(SAMPLES[0], **kwargs)

    def test_a_picture_too_large_is_refused(self):
        with self.assertRaisesRegex(vellum.Error, "32767 pixels"):
            vellum.render(wmf((-32000, 0, 32000, 10)), width=0, height=0)


class Info(unittest.TestCase):
    def test_counts_match_the_info_tool(self):
        for path in SAMPLES:
            with self.subTest(path=path.name):
                info = vellum.info(path)
                self.assertTrue(info["complete"])
                self.assertEqual(info["records"], sum(info["record_counts"].values()))
                self.assertEqual(info["record_counts"], self._tool_counts(path))
                self.assertEqual(info["not_played"], {})  # the GDI player plays every sample

    def test_cut_file_is_incomplete_and_each_player_has_its_own_record_types(self):
        data = SAMPLES[0].read_bytes()
        cut = vellum.info(data[:len(data) - 8])
        self.assertFalse(cut["complete"])
        self.assertLess(cut["records"], vellum.info(data)["records"])
        exact = vellum.info(wmf((0, 0, 10, 10), filled_rectangle(0, 1, 1, 5, 5)), mode="exact")
        self.assertEqual(exact["not_played"], {"U_WMR_SELECTOBJECT": 1})
        self.assertEqual(exact["record_counts"]["U_WMR_RECTANGLE"], 1)

    def test_headers_that_do_not_fit_raise(self):
        with self.assertRaisesRegex(vellum.Error, "headers do not fit in 10 bytes"):
            vellum.info(b"\x01" * 10)

    @staticmethod
    def _tool_counts(path):
        out = subprocess.run([os.environ["VELLUM_INFO"], str(path)], capture_output=True, text=True, check=True).stdout
        table = out.split("records by type:\n")[1]
        counts = {line.split()[0]: int(line.split()[1]) for line in table.splitlines()}
        counts.pop("U_WMR_EOF")
        return counts


class Threads(unittest.TestCase):
    def test_threads_rendering_together_get_the_pixels_of_one_thread(self):
        expected = {path: np.asarray(vellum.render(path, width=160)).tobytes() for path in SAMPLES}
        differences = []

        def work():
            for _ in range(5):
                for path in SAMPLES:
                    if np.asarray(vellum.render(path, width=160)).tobytes() != expected[path]:
                        differences.append(path.name)

        threads = [threading.Thread(target=work) for _ in range(4)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        self.assertEqual(differences, [])


if __name__ == "__main__":
    unittest.main()
