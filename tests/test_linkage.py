"""The library as a host's loader sees it: exactly the promised symbols, only
the driver entry points left to the host, its own name, the target's machine."""
import os
import unittest

import harness

LIBRARY = os.environ['TULVAK_LIBRARY']
MACHINES = {'x86_64': 'X86-64', 'arm': 'hard-float ABI', 'aarch64': 'AArch64'}


class Linkage(harness.Test):
    def dynamic_symbols(self, which):
        out, _, _ = self.run_program([os.environ['TULVAK_NM'], '-D', which, LIBRARY])
        # Weak symbols are the toolchain's own optional hooks.
        return {line.split()[-1] for line in out.splitlines() if line.split()[-2] not in 'wv'}

    @unittest.skipIf(os.environ.get('TULVAK_INSTRUMENTED'), 'instrumentation adds symbols of its own')
    def test_exports_the_public_interface_and_needs_only_the_driver(self):
        listed = lambda name: set(open(os.path.join(harness.DATA, name)).read().split())
        self.assertEqual(self.dynamic_symbols('--defined-only'), listed('exports.txt'))
        # Versioned names come from the library's own needed libraries.
        undefined = {name for name in self.dynamic_symbols('--undefined-only') if '@' not in name}
        self.assertEqual(undefined, listed('entry_points.txt'))

    def test_named_libtulvak_built_for_the_target_without_the_driver(self):
        out, _, _ = self.run_program([os.environ['TULVAK_READELF'], '-h', '-d', LIBRARY])
        self.assertIn('Library soname: [libtulvak.so]', out)
        self.assertIn(MACHINES[os.environ['TULVAK_MACHINE']], out)
        self.assertNotIn('tulvak_sim', out)
