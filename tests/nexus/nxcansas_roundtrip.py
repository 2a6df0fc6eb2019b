"""SaveNXcanSAS read back by h5py, as the field's readers see the file: the NXcanSAS
structure, its attributes as variable-length UTF-8 texts, and the values of the curve
compared with the ASCII export of the same curve.

Usage: nxcansas_roundtrip.py OMBRELUNE_RUN WORK_DIR
"""
import os
import shutil
import subprocess
import sys
import unittest

import h5py
import numpy

RUN = sys.argv[1]
WORK = sys.argv[2]


def run(*lines):
    args = [RUN, "-q", "--home", WORK, "--decimal-separator", "."]
    for line in lines:
        args += ["-e", line]
    done = subprocess.run(args, cwd=WORK, capture_output=True, text=True, timeout=120)
    if done.returncode != 0:
        raise AssertionError("ombrelune-run failed (%d): %s" % (done.returncode, done.stderr))


def ascii_columns(path):
    """The (x, value, ...) rows of a saveToASCII1D file, after its four header lines."""
    with open(path, encoding="utf-8", newline="") as f:
        rows = [line.split("\t") for line in f.read().split("\r\n")[4:] if line]
    return numpy.array([[float(v) for v in row] for row in rows])


def text_attribute(obj, name):
    """An attribute that must be a variable-length UTF-8 text; returns its value."""
    tid = h5py.h5a.open(obj.id, name.encode()).get_type()
    assert isinstance(tid, h5py.h5t.TypeStringID), name
    assert tid.is_variable_str(), name
    assert tid.get_cset() == h5py.h5t.CSET_UTF8, name
    value = obj.attrs[name]
    assert isinstance(value, str), name
    return value


def text_field(group, name):
    dataset = group[name]
    assert dataset.shape == ()
    assert dataset.dtype.kind == "O" and h5py.check_string_dtype(dataset.dtype).encoding == "utf-8"
    return dataset.asstr()[()]


class SaveNXcanSAS(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        os.makedirs(WORK)
        run('addspectre[2,"M",128,128,1]', 'scalAdd2D[1,"M","M"]',
            'SommeDNPA["ACUP","Q","M",64,64,100,6,5,2000]',
            'saveToASCII1D["Q","q.txt"]',
            'SaveNXcanSAS["Q","plain.h5"]',
            'SaveNXcanSAS["Q","named.h5","Échantillon ω","1/nm","1/cm"]')

    def test_structure_and_attributes(self):
        with h5py.File(os.path.join(WORK, "plain.h5"), "r") as f:
            self.assertEqual(text_attribute(f, "default"), "sasentry01")
            entry = f["sasentry01"]
            self.assertEqual(text_attribute(entry, "NX_class"), "NXentry")
            self.assertEqual(text_attribute(entry, "canSAS_class"), "SASentry")
            self.assertEqual(text_attribute(entry, "version"), "1.1")
            self.assertEqual(text_field(entry, "definition"), "NXcanSAS")
            self.assertEqual(text_field(entry, "title"), "Q")
            self.assertEqual(text_field(entry, "run"), "Q")
            data = entry["sasdata01"]
            self.assertEqual(text_attribute(data, "NX_class"), "NXdata")
            self.assertEqual(text_attribute(data, "canSAS_class"), "SASdata")
            self.assertEqual(text_attribute(data, "signal"), "I")
            self.assertEqual(text_attribute(data, "I_axes"), "Q")
            q_indices = data.attrs["Q_indices"]
            self.assertTrue(numpy.issubdtype(numpy.asarray(q_indices).dtype, numpy.integer))
            self.assertEqual(int(q_indices), 0)
            self.assertEqual(text_attribute(data["Q"], "units"), "1/angstrom")
            self.assertEqual(text_attribute(data["I"], "units"), "arbitrary")
            # A curve without errors has no Idev and I names no uncertainty.
            self.assertNotIn("Idev", data)
            self.assertNotIn("uncertainties", data["I"].attrs)
            process = entry["sasprocess01"]
            self.assertEqual(text_attribute(process, "canSAS_class"), "SASprocess")
            self.assertEqual(text_field(process, "name"), "Ombrelune")
            self.assertEqual(text_field(process, "description"), "Somme PA de : ACUP, masque : M")

    def test_values_are_the_curve_without_its_points_at_q_zero(self):
        table = ascii_columns(os.path.join(WORK, "q.txt"))
        kept = table[table[:, 0] > 0]
        self.assertEqual(len(table), 101)
        self.assertGreater(len(kept), 90)
        with h5py.File(os.path.join(WORK, "plain.h5"), "r") as f:
            data = f["sasentry01/sasdata01"]
            self.assertEqual(data["Q"].dtype, numpy.dtype("<f8"))
            self.assertEqual(data["I"].shape, (len(kept),))
            # The text export carries 15 significant digits; the file every bit.
            numpy.testing.assert_allclose(data["Q"][:], kept[:, 0], rtol=1e-14, atol=0)
            numpy.testing.assert_allclose(data["I"][:], kept[:, 1], rtol=1e-14, atol=0)

    def test_title_and_units_given(self):
        with h5py.File(os.path.join(WORK, "named.h5"), "r") as f:
            entry = f["sasentry01"]
            self.assertEqual(text_field(entry, "title"), "Échantillon ω")
            self.assertEqual(text_field(entry, "run"), "Q")
            self.assertEqual(text_attribute(entry["sasdata01/Q"], "units"), "1/nm")
            self.assertEqual(text_attribute(entry["sasdata01/I"], "units"), "1/cm")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
