import os
import tempfile
import unittest

from distributed import Client, LocalCluster

import vellum
from support import filled_rectangle, wmf
from vellum.dask import FileResult, render_folder


class RenderFolderOnTwoWorkers(unittest.TestCase):
    """One 2-worker cluster for the class: starting one takes seconds."""

    @classmethod
    def setUpClass(cls):
        cls.cluster = LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None)
        cls.client = Client(cls.cluster)

    @classmethod
    def tearDownClass(cls):
        cls.client.close()
        cls.cluster.close()

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.src = os.path.join(self.folder.name, "in")
        self.dst = os.path.join(self.folder.name, "out")
        os.mkdir(self.src)
        self.pictures = {
            "a.wmf": wmf((0, 0, 100, 50), filled_rectangle(0xFF0000, 10, 10, 90, 40)),
            "a.WMF": wmf((0, 0, 50, 50), filled_rectangle(0x00FF00, 0, 0, 25, 25)),
            "b.wmf": wmf((0, 0, 40, 80), filled_rectangle(0x0000FF, 5, 5, 35, 75)),
            "broken.wmf": b"not a metafile at all, only some words" * 4,
        }
        for name, data in self.pictures.items():
            with open(os.path.join(self.src, name), "wb") as f:
                f.write(data)
        with open(os.path.join(self.src, "notes.txt"), "w") as f:
            f.write("not a picture")

    def tearDown(self):
        self.folder.cleanup()

    def test_each_file_gets_a_row_and_its_png_as_rendered_in_process(self):
        table = render_folder(self.src, self.dst, width=60, client=self.client)
        self.assertEqual([row.name for row in table], sorted(self.pictures))
        self.assertTrue(all(isinstance(row, FileResult) for row in table))
        rows = {row.name: row for row in table}
        self.assertIn("not a metafile", rows["broken.wmf"].error)
        self.assertEqual((rows["broken.wmf"].width, rows["broken.wmf"].height), (0, 0))
        # a.wmf and a.WMF share a stem: neither output overwrites the other.
        outputs = {"a.WMF": "a.png", "a.wmf": "a-2.png", "b.wmf": "b.png"}  # in name order
        self.assertEqual(sorted(os.listdir(self.dst)), sorted(outputs.values()))
        for name, output in outputs.items():
            with self.subTest(name=name):
                picture = vellum.render(self.pictures[name], width=60)
                self.assertIsNone(rows[name].error)
                self.assertEqual((rows[name].width, rows[name].height), (picture.width, picture.height))
                with open(os.path.join(self.dst, output), "rb") as f:
                    self.assertEqual(f.read(), picture.to_png())

    def test_options_reach_the_workers(self):
        table = render_folder(self.src, self.dst, height=30, mode="exact", background="white", client=self.client)
        row = next(row for row in table if row.name == "b.wmf")
        picture = vellum.render(self.pictures["b.wmf"], height=30, mode="exact", background="white")
        self.assertEqual((row.width, row.height), (picture.width, picture.height))
        self.assertEqual((row.skipped, row.skipped_records), (picture.skipped, picture.skipped_records))
        self.assertGreater(row.skipped, 0)  # the exact player does not select objects
        with open(os.path.join(self.dst, "b.png"), "rb") as f:
            self.assertEqual(f.read(), picture.to_png())

    def test_an_empty_folder_gives_an_empty_table(self):
        empty = os.path.join(self.folder.name, "empty")
        os.mkdir(empty)
        self.assertEqual(render_folder(empty, self.dst, client=self.client), [])


if __name__ == "__main__":
    unittest.main()
