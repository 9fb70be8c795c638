import { esperarA } from './espera.mjs';
import { Nativo } from './nativo.mjs';
import { comoTexto, iguales, menu } from './pantalla.mjs';

// Types the same steps into the page and into the native build, in a pane
// of the page's columns and rows, and after each step waits for the native
// screen to change (unless the step is marked igual: its key changes
// nothing that shows), then for the page to show exactly what the native
// build shows, cursor included.
export async function aLaPar(pagina, pasos) {
  const { columnas, filas } = await pagina.medidas();
  const nativa = new Nativo(columnas, filas);
  try {
    let antes = await nativa.esperarAsentada((p) => p.lineas[5] === menu[5], 'the native menu');
    await esperarA(
      () => pagina.leerRecortada(),
      (p) => iguales(p, antes),
      'the first menu',
      comoTexto,
    );
    for (const [i, paso] of pasos.entries()) {
      if (paso.girar) {
        // The phone turned: the page fits its grid again, and the native
        // build's pane takes the same columns and rows.
        const { ventana } = await pagina.medidas();
        await pagina.pestana.setViewport({
          width: ventana.alto,
          height: ventana.ancho,
          hasTouch: true,
          isMobile: true,
        });
        await pagina.pestana.evaluate(() => new Promise((listo) => requestAnimationFrame(listo)));
        const { columnas: c, filas: f } = await pagina.medidas();
        nativa.tmux('resize-window', '-t', 'juego', '-x', `${c}`, '-y', `${f}`);
      } else {
        const reposo = await pagina.reposo();
        // A key the native game gets that changes nothing it shows.
        const callada = paso.igual && paso.nativo?.length !== 0;
        const leidas = callada ? nativa.leidas() : 0;
        await nativa.enviar(paso);
        await pagina.enviar(paso);
        await pagina.esperarReposo(reposo, paso.movil === undefined, `step ${i}`);
        if (callada) {
          await nativa.esperarAsentada(() => nativa.leidas() > leidas, `the native game to read step ${i}`);
        }
      }
      const que = `step ${i} (${JSON.stringify(paso)})`;
      const ahora = paso.igual
        ? antes
        : await nativa.esperarAsentada((p) => !iguales(p, antes), `the native screen after ${que}`);
      await esperarA(
        () => pagina.leerRecortada(),
        (p) => iguales(p, ahora),
        `the page to show after ${que}:\n${comoTexto(ahora)}`,
        comoTexto,
      );
      if (paso.campo !== undefined) {
        await esperarA(
          () => pagina.campo(),
          (c) => c === paso.campo,
          `the field after ${que} to be ${paso.campo}`,
        );
      }
      antes = ahora;
    }
  } finally {
    nativa.cerrar();
  }
}
