"""The farm's commands: the listing against what sessions show and call, items
sent by name, and tulvakctl standing on its own."""
import json
import re
from unittest import mock

import harness
from harness import CTL, HOST


class Farm(harness.Test):
    def listing(self, *words, program=HOST):
        out, err, status = self.run_program(program + ['list', *words])
        self.assertEqual((err, status), ('', 0))
        return out

    def test_every_listed_item_is_what_a_session_shows_and_calls_on_that_path(self):
        rows = [line.split('\t') for line in self.listing().splitlines()]
        rows = [(tuple(map(int, path.split())), menu, label, action) for path, menu, label, action in rows]
        menus, title, lines = {}, {path: menu for path, menu, _, _ in rows}, []
        for path, menu, label, action in rows:
            menus.setdefault(menu, []).append((path[-1], label, action))
            lines += [f'[{title[path[:k]]}] {path[k - 1]}' for k in range(1, len(path) + 1)]
            opened = action[6:] if action.startswith('opens ') else None
            lines += [f'[{opened}] 99'] if opened else [('! ' if '(' in action else '> ') + action]
            lines += [f'[{title[path[:k]]}] 99' for k in range(len(path), 1, -1)]
        self.assertEqual(len(menus), 36)
        # The screens expected are drawn from the listing itself.
        with mock.patch.dict(harness.MENUS, menus, clear=True):
            self.replay(harness.Transcript('console: every listed item', lines + ['[Main Menu] 99']), 'console')

    def test_json_a_word_and_tulvakctl_give_the_same_listing(self):
        lines = self.listing().splitlines()
        objects = json.loads(self.listing('--json'))
        self.assertEqual([' '.join(map(str, o['path'])) + f"\t{o['menu']}\t{o['label']}\t{o['action']}"
                          for o in objects], lines)
        kept = [line for line in lines if 'settiming' in line.lower()]
        self.assertEqual(self.listing('SetTiming', program=CTL).splitlines(), kept)
        self.assertEqual(self.listing(program=CTL).splitlines(), lines)

    def test_names_choose_items_return_to_the_main_menu_and_send_nothing_unless_each_names_one(self):
        session = self.pipe_session()
        names = ['XC_DBGLEVEL_SETTIMING', 'xc/settiming', 'XC/ISR', 'JPEG/API', 'VE/off', 'YS/ALL', 'SYS/none',
                 'DDC2BI/on', 'Main/Pelvar']
        calls = 'XC_SetDbgLevel(2) XC_SetDbgLevel(2) XC_SetDbgLevel(256) JPEG_SetDbgLevel(1) VE_SetDbgLevel(0) ' \
            'SYS_SetDbgLevel(4) SYS_SetDbgLevel(0)'
        made = lambda: re.sub(r'Qx(Api|Drv)_', '', session.err).split()
        self.assertEqual(self.run_program(CTL + ['send', '--timeout', '5', '--set', *names]), ('', '', 0))
        self.assertEqual(made(), calls.split())  # each call made before send exits
        self.assertEqual(self.run_program(CTL + ['send', '--set', 'VE/on', 'DMX_DBG_NONE'])[2], 2)
        self.send('99')  # the session is back at the main menu
        self.assertEqual((session.finish(10), made(), session.out.count('Not support!')), (0, calls.split(), 1))
