// The game's page served as a host serves it (tools/web/serve.py), played in headless Chromium
// and checked with the same expectations as the desktop's end-to-end tests
// (tests/support/program_screens.h). Run by `node --test`, after the browser build.
import assert from 'node:assert/strict';
import {after, before, describe, test} from 'node:test';

import {GamePage, holdsWithin, launchChromium, loadScreenChecks, phone, serveSite}
    from './browser.mjs';

let server;
let browser;
let checks;

before(async () => {
  [server, browser, checks] = await Promise.all([serveSite(), launchChromium(), loadScreenChecks()]);
});

after(async () => {
  await browser?.close();
  server?.close();
});

async function openGame() {
  return GamePage.open(browser, checks, server.address);
}

async function openMenu() {
  const game = await openGame();
  assert.ok(await game.showsWithin(10, 'menu', 0), 'the menu never showed');
  return game;
}

describe('the game page', {concurrency: false}, () => {
  test('opens a 480 x 640 canvas, plays the logo and gives way to the menu', async () => {
    const game = await openGame();
    assert.ok(await holdsWithin(5, async () => (await game.look()) !== null), 'no canvas shown');
    assert.deepEqual(await game.look(), {width: 480, height: 640});
    // With a keyboard and no touch screen there are no touch keys.
    assert.equal(await game.page.$eval('#controls', (keys) => getComputedStyle(keys).display),
                 'none');
    assert.ok(await game.showsWithin(3, 'logo'), 'the still logo never showed');
    assert.ok(await game.showsWithin(8, 'menu', 0), 'the menu never showed');
    // The logo's 208 frames at 60 a second, as on the desktop.
    const menuAfter = await game.secondsShown();
    assert.ok(menuAfter > 3.0 && menuAfter < 5.0, `the menu came after ${menuAfter} s`);
    assert.ok(await game.shows('menu_drawn'));
    assert.equal(await game.page.title(), 'Trivanta');
    await game.page.close();
  });

  test('shows both help pages and comes back', async () => {
    const game = await openMenu();
    await game.type('s', ' ');
    assert.ok(await game.showsWithin(3, 'help'));
    await game.type('Enter');  // only space turns the page
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.ok(await game.shows('help'));
    await game.type(' ');
    assert.ok(await game.showsWithin(3, 'second_help'));
    await game.type(' ');
    assert.ok(await game.showsWithin(3, 'menu', 0));
    await game.page.close();
  });

  test('plays a game to its end and goes back to the menu', async () => {
    const game = await openMenu();
    await game.type(' ');
    assert.ok(await game.showsWithin(3, 'playing'));
    // The first piece falls into the well.
    assert.ok(await holdsWithin(3, async () => (await game.check('lowest_block'))?.answer > 60));
    // Pieces dropped one after the other pile up until one has no room, which takes about two
    // minutes of landings. A key typed during a landing's pause is stale when the game reads it,
    // so drops are typed until it is over.
    let over = false;
    const deadline = Date.now() + 400 * 1000;
    while (!over && Date.now() < deadline) {
      await game.type('s');
      over = await game.showsWithin(0.5, 'game_over');
    }
    assert.ok(over, 'the game never ended');
    await game.type('Enter', 'q');  // neither leaves
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.ok(await game.shows('game_over'));
    await game.type(' ');
    assert.ok(await game.showsWithin(3, 'menu', 0));
    await game.page.close();
  });

  test('"exit" ends the game and leaves a page that says so', async () => {
    const game = await openMenu();
    await game.type('s', 's', ' ');
    assert.ok(await holdsWithin(5, async () => (await game.state()) === 'ended'));
    const text = await game.page.evaluate(() => document.body.innerText);
    assert.match(text, /The game has ended/);
    await game.page.close();
  });
});

describe('keys', () => {
  test('reach the program with the codes the desktop gives them', async () => {
    const page = await GamePage.open(browser, checks, server.address + 'key_echo.html');
    assert.ok(await holdsWithin(10, () => page.console.includes('ready')));
    await page.type('a', 'Shift+A', 'ArrowLeft', 'F1', ' ', 'Enter');
    // A key of a layout that types 中, which reaches the program as its two GBK bytes.
    await page.page.evaluate(() => {
      for (const type of ['keydown', 'keyup']) window.dispatchEvent(new KeyboardEvent(type, {key: '中'}));
    });
    await page.type('q');
    assert.ok(await holdsWithin(5, () => page.console.includes('113')), page.console.join(' '));
    const codes = page.console.slice(page.console.indexOf('ready') + 1).map(Number);
    assert.deepEqual(codes, [97, 65, 0x125, 0x170, 32, 13, 0xD6, 0xD0, 113]);
    assert.ok(await holdsWithin(5, async () => (await page.state()) === 'ended'));
    await page.page.close();
  });
});

describe('a fatal error', () => {
  test('is shown in a dialog on the page, and then the program stops', async () => {
    const page = await GamePage.open(browser, checks, server.address + 'fatal.html');
    const dialog = '#trivanta-error[open]';
    await page.page.waitForSelector(dialog, {timeout: 10000});
    const text = await page.page.$eval(dialog, (element) => element.innerText);
    assert.match(text, /TARVEL ERROR message/);
    assert.match(text, /At function 'IMAGE::putimage'/);
    await page.page.click(`${dialog} button`);
    assert.ok(await holdsWithin(5, async () => (await page.state()) === 'ended'));
    await page.page.close();
  });
});

// Pages played by touch alone on an emulated phone, in a browser context of their own, which the
// page's worker keeps its files in.
describe('on a phone', {concurrency: false}, () => {
  let context;
  before(async () => {
    context = await browser.createBrowserContext();
  });
  after(async () => {
    await context?.close();
  });

  async function openOnPhone(file = '') {
    return GamePage.open(context, checks, server.address + file, {viewport: phone});
  }

  // The codes the key-echoing page has printed since it said "ready".
  function echoed(page) {
    return page.console.slice(page.console.indexOf('ready') + 1).map(Number);
  }
  function count(codes, code) {
    return codes.filter((each) => each === code).length;
  }

  test('fits the canvas in whole device pixels beside its keys, which type as the keyboard',
       async () => {
    const page = await openOnPhone('key_echo.html');
    assert.ok(await holdsWithin(10, () => page.console.includes('ready')));
    const layout = await page.page.evaluate(() => {
      const box = (element) => {
        const {left, top, right, bottom, width, height} = element.getBoundingClientRect();
        return {left, top, right, bottom, width, height};
      };
      return {
        canvas: box(document.getElementById('trivanta')),
        keys: Array.from(document.querySelectorAll('#controls button'), box),
        pageWidth: document.documentElement.scrollWidth,
      };
    });
    // Two device pixels a canvas pixel: 960 x 1280 of the screen's 1170 x 2532.
    assert.equal(Math.round(layout.canvas.width * 3), 960);
    assert.equal(Math.round(layout.canvas.height * 3), 1280);
    assert.ok(layout.pageWidth <= 390, `the page is ${layout.pageWidth} px wide`);
    assert.equal(layout.keys.length, 12);
    for (const key of layout.keys) {
      assert.ok(key.width >= 44 && key.height >= 44, JSON.stringify(key));
      assert.ok(key.left >= 0 && key.right <= 390 && key.bottom <= 844, JSON.stringify(key));
      assert.ok(key.top >= layout.canvas.bottom, 'a key over the canvas');
    }
    await page.tap('a', 'd', 'w', 's', 'space', 'r', 'g', 'b', 'y', 'o', 'p');
    // Two keys held at once both repeat, until the page loses the focus.
    const left = await page.hold('a');
    const right = await page.hold('d');
    assert.ok(await holdsWithin(5, () => count(echoed(page), 100) >= 4), echoed(page).join());
    await page.page.evaluate(() => window.dispatchEvent(new Event('blur')));
    const codesAtBlur = echoed(page).length;
    await new Promise((resolve) => setTimeout(resolve, 500));
    assert.ok(echoed(page).length <= codesAtBlur + 2, 'the held keys kept repeating');
    await left.end();
    await right.end();
    await page.tap('q');
    assert.ok(await holdsWithin(5, () => page.console.includes('113')), page.console.join(' '));
    const codes = echoed(page);
    assert.deepEqual(codes.slice(0, 11), [97, 100, 119, 115, 32, 114, 103, 98, 121, 111, 112]);
    assert.ok(count(codes, 97) >= 4, codes.join());
    assert.equal(codes.at(-1), 113);
    await page.page.close();
  });

  test('plays the menu and a game by touch, and stays playable after a thousand taps',
       async () => {
    const game = await openOnPhone();
    assert.ok(await game.showsWithin(10, 'menu', 0), 'the menu never showed');
    await game.tap('s');
    assert.ok(await game.showsWithin(3, 'menu', 1));
    // A thousand taps of a key the menu ignores, as fast as the page takes them: the oldest
    // are lost to the queue's overflow, the rest read and dropped, and the menu answers after.
    await game.page.evaluate(() => {
      const button = document.querySelector('#controls button[data-key="r"]');
      for (let tap = 0; tap < 1000; ++tap) {
        const touch = {pointerId: 100 + tap, pointerType: 'touch', isPrimary: true, bubbles: true};
        button.dispatchEvent(new PointerEvent('pointerdown', touch));
        button.dispatchEvent(new PointerEvent('pointerup', touch));
      }
    });
    let answered = false;
    for (const deadline = Date.now() + 20000; !answered && Date.now() < deadline;) {
      await game.tap('w');
      answered = await game.showsWithin(0.5, 'menu', 0);
    }
    assert.ok(answered, 'the menu stopped answering');
    await game.tap('space');
    assert.ok(await game.showsWithin(3, 'playing'));
    assert.ok(await holdsWithin(3, async () => (await game.check('lowest_block'))?.answer > 60));
    await game.tap('s');
    // The dropped piece lies on the well's floor, 570 to 590.
    assert.ok(await holdsWithin(3, async () => (await game.check('lowest_block'))?.answer > 580));
    // A key typed during a landing's pause is stale when the game reads it.
    let quit = false;
    for (const deadline = Date.now() + 20000; !quit && Date.now() < deadline;) {
      await game.tap('q');
      quit = await game.showsWithin(0.5, 'menu', 0);
    }
    assert.ok(quit, 'q never left the game');
    await game.page.close();
  });

  test('picks a colour in the colour chooser with a colour key', async () => {
    const page = await openOnPhone('chooser.html');
    assert.ok(await page.showsWithin(10, 'chooser'), 'the chooser never showed');
    assert.equal(await page.state(), '');
    await page.tap('p');
    // The chooser's routine returns once it has its colour, and that program then ends.
    assert.ok(await holdsWithin(5, async () => (await page.state()) === 'ended'));
    await page.page.close();
  });

  test('is installable, and plays again without the network after one visit', async () => {
    const game = await openOnPhone();
    const head = await game.page.evaluate(() => ({
      manifest: document.querySelector('link[rel="manifest"]').href,
      theme: document.querySelector('meta[name="theme-color"]').content,
      touchIcon: document.querySelector('link[rel="apple-touch-icon"]').href,
    }));
    assert.equal(head.theme, '#000000');
    const manifest = await (await fetch(head.manifest)).json();
    assert.equal(manifest.name, 'Trivanta');
    assert.equal(manifest.short_name, 'Trivanta');
    assert.equal(manifest.display, 'standalone');
    assert.equal(manifest.orientation, 'portrait');
    assert.equal(manifest.theme_color, '#000000');
    assert.equal(manifest.background_color, '#000000');
    const icons = [...manifest.icons.map((icon) => new URL(icon.src, head.manifest)),
                   new URL(head.touchIcon)];
    const sizes = [];
    for (const icon of icons) {
      const png = Buffer.from(await (await fetch(icon)).arrayBuffer());
      sizes.push(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`);
    }
    assert.deepEqual(sizes, [...manifest.icons.map((icon) => icon.sizes), '192x192']);
    assert.deepEqual(manifest.icons.map((icon) => icon.sizes), ['192x192', '512x512']);

    // Once the worker has kept the page and took it over, the network may go.
    assert.ok(await game.showsWithin(10, 'menu', 0), 'the menu never showed');
    assert.ok(await holdsWithin(30, () => game.page.evaluate(
        () => navigator.serviceWorker.controller !== null)), 'no worker took the page');
    await game.page.setOfflineMode(true);
    try {
      await game.page.reload();
      assert.ok(await game.showsWithin(10, 'menu', 0), 'the page did not play offline');
    } finally {
      await game.page.setOfflineMode(false);
    }
    await game.page.close();
  });
});

describe('a host without the isolating headers', {concurrency: false}, () => {
  let plain;
  before(async () => {
    plain = await serveSite({isolating: false});
  });
  after(() => plain?.close());

  test('gets a page that names the two headers where service workers are unavailable',
       async () => {
    const page = await GamePage.open(browser, checks, plain.address, {
      beforeScripts: () => delete Navigator.prototype.serviceWorker,
    });
    assert.equal(await page.state(), 'not-isolated');
    const text = await page.page.evaluate(() => document.body.innerText);
    assert.match(text, /Cross-Origin-Opener-Policy: same-origin/);
    assert.match(text, /Cross-Origin-Embedder-Policy: require-corp/);
    await page.page.close();
  });

  test('starts the game after one reload under the page\'s worker', async () => {
    const context = await browser.createBrowserContext();
    try {
      const game = await GamePage.open(context, checks, plain.address, {viewport: phone});
      let loads = 0;
      game.page.on('load', () => ++loads);
      assert.ok(await game.showsWithin(30, 'menu', 0), 'the menu never showed');
      assert.equal(loads, 1, 'not one reload');
      assert.ok(await game.page.evaluate(() => self.crossOriginIsolated));
    } finally {
      await context.close();
    }
  });
});
